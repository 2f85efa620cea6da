#include "sweep/aluminium_fit.h"

#include <cmath>
#include <memory>
#include <utility>

#include "text_files/csv_writer.h"

namespace sweep {

namespace {

// B2F.dat carries the aluminium in steps of 0.01 mm. Dividing by the count per mm gives
// the thickness as the double nearest to the decimal written.
constexpr double kStepsPerMillimetre = 100.0;

// The engine's beam-axis HVL in mm for the settings with an aluminium thickness in mm. The
// engines read the thickness in steps of 0.01 mm: between two steps the HVL is interpolated
// linearly, so that the fit sees a continuous, rising function. Each step is run once, by
// the job's engines, and kept.
class EngineHvl {
 public:
  explicit EngineHvl(const SweepJob& job) : job_(job) {}

  std::optional<double> operator()(Settings settings, double tubeVoltage, double aluminium) {
    settings.tubeVoltage = tubeVoltage;
    const double steps = aluminium * kStepsPerMillimetre;
    const double lower = std::floor(steps);
    const std::optional<double> low = atStep(settings, lower);
    if (!low || steps == lower) return low;
    const std::optional<double> high = atStep(settings, lower + 1.0);
    if (!high) return high;
    return *low + (steps - lower) * (*high - *low);
  }

  // The failure of the last run that gave no HVL.
  const std::string& failure() const { return failure_; }

 private:
  std::optional<double> atStep(Settings settings, double step) {
    settings.aluminium = step / kStepsPerMillimetre;
    for (const auto& [done, hvl] : runs_) {
      if (done == settings) return hvl;
    }
    SweepJob single = job_;
    single.combinations = {settings};
    single.progress = nullptr;
    const CombinationOutcome outcome = runSweep(single).front();
    std::optional<double> hvl;
    if (outcome.ok && outcome.summary.halfValueLayer > 0.0) {
      hvl = outcome.summary.halfValueLayer;
    } else {
      failure_ = outcome.ok ? "the engine gave no HVL on the beam axis" : outcome.failure;
    }
    runs_.emplace_back(settings, hvl);
    return hvl;
  }

  const SweepJob& job_;
  std::vector<std::pair<Settings, std::optional<double>>> runs_;
  std::string failure_;
};

// The settings that decide the fit: all but the tube voltage and the aluminium.
Settings fitKey(Settings settings) {
  settings.tubeVoltage = 0;
  settings.aluminium = 0;
  return settings;
}

}  // namespace

std::string fitFailureText(const calibration::UnreachableHvl& error) {
  const std::string pair = "measured HVL " + csv::number(error.pair.hvl) + " mm at " +
                           csv::number(error.pair.tubeVoltage) + " kV";
  const std::string bound = csv::number(std::round(error.boundHvl * 1e4) / 1e4) + " mm";
  if (error.belowModel()) {
    return "--fit-hvl: the " + pair + " is below the model's " + bound +
           " with no aluminium: no aluminium thickness fits";
  }
  return "--fit-hvl: the " + pair + " is above the model's " + bound + " with " +
         csv::number(error.boundAluminium) + " mm of aluminium: no thickness up to that fits";
}

double writtenAluminium(double aluminium) {
  return std::round(aluminium * kStepsPerMillimetre) / kStepsPerMillimetre;
}

calibration::HvlModel engineHvlModel(const Settings& settings, const SweepJob& job) {
  auto engine = std::make_shared<EngineHvl>(job);
  return [engine, settings](double tubeVoltage, double aluminium) {
    return (*engine)(settings, tubeVoltage, aluminium);
  };
}

namespace {

AluminiumFit fitOneSetting(const Settings& settings, const SweepJob& job,
                           const std::vector<calibration::HvlPair>& pairs) {
  EngineHvl engine(job);
  const calibration::HvlModel model = [&](double tubeVoltage, double aluminium) {
    return engine(settings, tubeVoltage, aluminium);
  };
  AluminiumFit result;
  try {
    result.fit = calibration::fitAluminium(model, pairs);
  } catch (const calibration::UnreachableHvl& error) {
    result.failure = fitFailureText(error);
  } catch (const calibration::FitImpossible&) {
    result.failure = "--fit-hvl: no fit: " + engine.failure();
  }
  return result;
}

}  // namespace

std::vector<AluminiumFit> fitAluminium(std::vector<Settings>& combinations, const SweepJob& job,
                                       const std::vector<calibration::HvlPair>& pairs) {
  std::vector<std::pair<Settings, AluminiumFit>> fitted;
  std::vector<AluminiumFit> fits;
  for (Settings& settings : combinations) {
    const Settings key = fitKey(settings);
    const AluminiumFit* known = nullptr;
    for (const auto& [done, fit] : fitted) {
      if (done == key) known = &fit;
    }
    if (known == nullptr) {
      AluminiumFit fit;
      try {
        fit = fitOneSetting(settings, job, pairs);
      } catch (const SweepInterrupted&) {
        // The fit's own runs are single combinations; the sweep has finished none of its.
        throw SweepInterrupted{0, combinations.size()};
      }
      fitted.emplace_back(key, std::move(fit));
      known = &fitted.back().second;
    }
    if (known->fit) {
      settings.aluminium = writtenAluminium(known->fit->aluminium);
    }
    fits.push_back(*known);
  }
  return fits;
}

}  // namespace sweep
