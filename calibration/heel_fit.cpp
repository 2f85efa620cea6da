#include "calibration/heel_fit.h"

#include <cmath>
#include <limits>

namespace calibration {

namespace {

std::vector<double> modelAt(const HeelModel& model, double angle, std::size_t count) {
  const std::optional<std::vector<double>> values = model(angle);
  if (!values || values->size() != count) {
    throw FitImpossible("the model gives no heel at a target angle of " + std::to_string(angle));
  }
  return *values;
}

double squaredDifferences(const std::vector<double>& model, const std::vector<HeelPoint>& points) {
  double sum = 0.0;
  for (std::size_t n = 0; n < points.size(); ++n) {
    const double difference = model[n] - points[n].relativeKerma;
    sum += difference * difference;
  }
  return std::isfinite(sum) ? sum : std::numeric_limits<double>::infinity();
}

// The angle of `steps` steps of kHeelAngleStep, as the nearest double to its decimal.
double angleOf(long steps) { return static_cast<double>(steps) / 10.0; }

}  // namespace

double HeelFit::largestRelativeDifference() const {
  double largest = 0.0;
  for (const HeelPoint& point : points) {
    if (!point.modelKerma) continue;
    const double relative = *point.modelKerma / point.relativeKerma - 1.0;
    if (std::fabs(relative) > std::fabs(largest)) largest = relative;
  }
  return largest;
}

HeelUnreachable::HeelUnreachable(double nearestAngle, std::vector<double> nearestKerma)
    : std::runtime_error("no target angle from 5 to 30 degrees reaches the measured heel"),
      nearestAngle(nearestAngle),
      nearestKerma(std::move(nearestKerma)) {}

HeelFit fitTargetAngle(const HeelModel& model, const std::vector<HeelPoint>& points) {
  if (points.empty()) throw FitImpossible("no measured heel point to fit");
  const long lowest = std::lround(kSmallestHeelAngle * 10);
  const long highest = std::lround(kLargestHeelAngle * 10);
  long best = lowest;
  double bestSum = std::numeric_limits<double>::infinity();
  std::vector<double> bestModel;
  const auto consider = [&](long steps) {
    std::vector<double> values = modelAt(model, angleOf(steps), points.size());
    const double sum = squaredDifferences(values, points);
    if (sum < bestSum) {
      bestSum = sum;
      best = steps;
      bestModel = std::move(values);
    }
  };
  for (long steps = lowest; steps <= highest; steps += 10) consider(steps);
  const long coarse = best;
  for (long steps = std::max(lowest, coarse - 9); steps <= std::min(highest, coarse + 9); ++steps) {
    if (steps != coarse) consider(steps);
  }
  if (best == lowest || best == highest) throw HeelUnreachable(angleOf(best), bestModel);
  HeelFit fit;
  fit.targetAngle = angleOf(best);
  fit.points = points;
  for (std::size_t n = 0; n < points.size(); ++n) fit.points[n].modelKerma = bestModel[n];
  return fit;
}

HeelAndAluminium fitHeelAndAluminium(const std::function<HeelModel(double aluminium)>& heelModel,
                                     const std::function<HvlModel(double targetAngle)>& hvlModel,
                                     const std::vector<HeelPoint>& points,
                                     const std::vector<HvlPair>& pairs, double startAluminium) {
  constexpr int kMostRounds = 10;
  HeelAndAluminium result;
  double aluminium = startAluminium;
  for (int round = 0; round < kMostRounds; ++round) {
    const double previousAngle = round == 0 ? -1.0 : result.heel.targetAngle;
    result.heel = fitTargetAngle(heelModel(aluminium), points);
    if (pairs.empty()) return result;
    result.aluminium = fitAluminium(hvlModel(result.heel.targetAngle), pairs);
    const bool stable = std::fabs(result.heel.targetAngle - previousAngle) < 0.5 * kHeelAngleStep &&
                        std::fabs(result.aluminium->aluminium - aluminium) < kAluminiumTolerance;
    aluminium = result.aluminium->aluminium;
    if (stable) return result;
  }
  return result;
}

bool keepHeelFit(TubeProfile& profile, const palvane::TubeSetup& setup, const HeelAndAluminium& fit,
                 const std::string& date) {
  const std::string filter = filterKey(filtersOf(setup));
  HeelCalibration heel;
  heel.filter = filter;
  heel.tubeVoltage = setup.tubeVoltage;
  heel.points = fit.heel.points;
  heel.targetAngle = fit.heel.targetAngle;
  heel.date = date;
  profile.heel = heel;
  const FilterCalibration* known = profile.filterCalibration(filter);
  if (!fit.aluminium || known == nullptr) return false;
  FilterCalibration refitted = *known;
  refitted.targetAngle = fit.heel.targetAngle;
  refitted.aluminium = fit.aluminium->aluminium;
  refitted.pairs = fit.aluminium->pairs;
  profile.setFilterCalibration(refitted);
  return true;
}

}  // namespace calibration
