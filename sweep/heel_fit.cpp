#include "sweep/heel_fit.h"

#include <cmath>
#include <map>

#include "text_files/csv_writer.h"

namespace sweep {

namespace {

constexpr double kMillimetresPerGridStep = 2.0;

// The engine's relative air kerma at the points (X in mm, Y = 0) for the settings, linear
// between the map's 2 mm steps; nullopt when the run fails.
std::optional<std::vector<double>> engineHeel(const Settings& settings, const SweepJob& job,
                                              const std::vector<calibration::HeelPoint>& points) {
  SweepJob single = job;
  single.combinations = {settings};
  single.progress = nullptr;
  const CombinationOutcome outcome = runSweep(single).front();
  if (!outcome.ok) return std::nullopt;
  const auto& alongX = outcome.summary.airKermaAlongX;
  std::vector<double> values;
  for (const calibration::HeelPoint& point : points) {
    const double steps = point.position / kMillimetresPerGridStep;
    const std::size_t lower =
        std::min(static_cast<std::size_t>(std::floor(steps)), alongX.size() - 1);
    const std::size_t upper = std::min(lower + 1, alongX.size() - 1);
    const double share = steps - static_cast<double>(lower);
    values.push_back(alongX[lower] + share * (alongX[upper] - alongX[lower]));
  }
  return values;
}

std::string nearestText(const calibration::HeelUnreachable& error,
                        const std::vector<calibration::HeelPoint>& points) {
  std::string text =
      "--fit-heel: no target angle from 5 to 30 degrees reaches the measured "
      "heel; nearest at " +
      csv::number(error.nearestAngle) + " degrees:";
  for (std::size_t n = 0; n < points.size() && n < error.nearestKerma.size(); ++n) {
    text += " X " + csv::number(points[n].position) + " mm " +
            csv::number(std::round(error.nearestKerma[n] * 1e4) / 1e4) + " (measured " +
            csv::number(points[n].relativeKerma) + ")";
  }
  return text;
}

// The settings that decide the fit: all but the target angle and, when it is fitted too,
// the aluminium.
Settings heelKey(Settings settings, bool aluminiumFitted) {
  settings.targetAngle = 0;
  if (aluminiumFitted) settings.aluminium = 0;
  return settings;
}

struct KeyFit {
  HeelFitRow heel;
  AluminiumFit aluminium;
};

KeyFit fitOneSetting(const Settings& settings, const SweepJob& job,
                     const std::vector<calibration::HeelPoint>& points,
                     const std::vector<calibration::HvlPair>& pairs) {
  const auto heelModel = [&](double aluminium) -> calibration::HeelModel {
    return [&, aluminium](double targetAngle) {
      Settings at = settings;
      at.targetAngle = targetAngle;
      if (!pairs.empty()) at.aluminium = writtenAluminium(aluminium);
      return engineHeel(at, job, points);
    };
  };
  const auto hvlModel = [&](double targetAngle) {
    Settings at = settings;
    at.targetAngle = targetAngle;
    return engineHvlModel(at, job);
  };
  KeyFit result;
  try {
    const calibration::HeelAndAluminium fit =
        calibration::fitHeelAndAluminium(heelModel, hvlModel, points, pairs, settings.aluminium);
    result.heel.fit = fit.heel;
    result.aluminium.fit = fit.aluminium;
  } catch (const calibration::HeelUnreachable& error) {
    result.heel.failure = nearestText(error, points);
  } catch (const calibration::UnreachableHvl& error) {
    result.heel.failure = fitFailureText(error);
  } catch (const calibration::FitImpossible& error) {
    result.heel.failure = std::string("--fit-heel: no fit: ") + error.what();
  }
  result.aluminium.failure = result.heel.failure;
  return result;
}

}  // namespace

std::vector<HeelFitRow> fitHeel(std::vector<Settings>& combinations, const SweepJob& job,
                                const std::vector<calibration::HeelPoint>& points,
                                const std::vector<calibration::HvlPair>& pairs,
                                std::vector<AluminiumFit>& fits) {
  std::vector<std::pair<Settings, KeyFit>> fitted;
  std::vector<HeelFitRow> rows;
  fits.clear();
  for (Settings& settings : combinations) {
    const Settings key = heelKey(settings, !pairs.empty());
    const KeyFit* known = nullptr;
    for (const auto& [done, fit] : fitted) {
      if (done == key) known = &fit;
    }
    if (known == nullptr) {
      fitted.emplace_back(key, fitOneSetting(settings, job, points, pairs));
      known = &fitted.back().second;
    }
    if (known->heel.fit) {
      settings.targetAngle = known->heel.fit->targetAngle;
      if (known->aluminium.fit)
        settings.aluminium = writtenAluminium(known->aluminium.fit->aluminium);
    }
    rows.push_back(known->heel);
    if (!pairs.empty()) fits.push_back(known->aluminium);
  }
  return rows;
}

}  // namespace sweep
