#include "calibration/hvl_fit.h"

#include <cmath>
#include <utility>

namespace calibration {

namespace {

// The model's HVL for a pair's tube voltage; FitImpossible where the model has none.
double modelHvl(const HvlModel& model, double tubeVoltage, double aluminium) {
  const std::optional<double> hvl = model(tubeVoltage, aluminium);
  if (!hvl || !std::isfinite(*hvl)) {
    throw FitImpossible("the model has no HVL at " + std::to_string(tubeVoltage) + " kV with " +
                        std::to_string(aluminium) + " mm of aluminium");
  }
  return *hvl;
}

// The thickness where the model's HVL meets the one measured pair, known to lie between
// lowest (HVL below or at the measured one) and highest (above or at it).
double rootThickness(const HvlModel& model, const HvlPair& pair, double lowest, double lowestHvl,
                     double highest, double highestHvl) {
  while (highest - lowest > 0.5 * kAluminiumTolerance) {
    const double middle = 0.5 * (lowest + highest);
    const double middleHvl = modelHvl(model, pair.tubeVoltage, middle);
    if (middleHvl < pair.hvl) {
      lowest = middle;
      lowestHvl = middleHvl;
    } else {
      highest = middle;
      highestHvl = middleHvl;
    }
  }
  if (!(highestHvl > lowestHvl)) return lowest;
  return lowest + (pair.hvl - lowestHvl) / (highestHvl - lowestHvl) * (highest - lowest);
}

// Sum over the pairs of the squared relative differences at a thickness.
double squaredRelativeDifferences(const HvlModel& model, const std::vector<HvlPair>& pairs,
                                  double aluminium) {
  double sum = 0.0;
  for (const HvlPair& pair : pairs) {
    const double relative = (modelHvl(model, pair.tubeVoltage, aluminium) - pair.hvl) / pair.hvl;
    sum += relative * relative;
  }
  return sum;
}

// The thickness within 0 to kThickestAluminium of the least sum (golden-section search).
double leastSquaresThickness(const HvlModel& model, const std::vector<HvlPair>& pairs) {
  const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
  double lowest = 0.0;
  double highest = kThickestAluminium;
  double left = highest - ratio * (highest - lowest);
  double right = lowest + ratio * (highest - lowest);
  double leftSum = squaredRelativeDifferences(model, pairs, left);
  double rightSum = squaredRelativeDifferences(model, pairs, right);
  while (highest - lowest > kAluminiumTolerance) {
    if (leftSum <= rightSum) {
      highest = right;
      right = left;
      rightSum = leftSum;
      left = highest - ratio * (highest - lowest);
      leftSum = squaredRelativeDifferences(model, pairs, left);
    } else {
      lowest = left;
      left = right;
      leftSum = rightSum;
      right = lowest + ratio * (highest - lowest);
      rightSum = squaredRelativeDifferences(model, pairs, right);
    }
  }
  return 0.5 * (lowest + highest);
}

}  // namespace

std::optional<PairProblem> pairProblem(const HvlPair& pair) {
  if (!(pair.tubeVoltage >= palvane::kLowestTubeVoltage &&
        pair.tubeVoltage <= palvane::kHighestTubeVoltage)) {
    return PairProblem::kTubeVoltageOutOfRange;
  }
  if (!(pair.hvl > 0.0) || !std::isfinite(pair.hvl)) return PairProblem::kHvlNotPositive;
  return std::nullopt;
}

double HvlFit::largestRelativeDifference() const {
  double largest = 0.0;
  for (const PairFit& pair : pairs) {
    if (std::fabs(pair.relativeDifference()) > std::fabs(largest)) {
      largest = pair.relativeDifference();
    }
  }
  return largest;
}

UnreachableHvl::UnreachableHvl(HvlPair pair, double boundAluminium, double boundHvl)
    : std::runtime_error("the measured HVL cannot be reached within 0 to 5 mm of aluminium"),
      pair(pair),
      boundAluminium(boundAluminium),
      boundHvl(boundHvl) {}

HvlFit fitAluminium(const HvlModel& model, const std::vector<HvlPair>& pairs) {
  if (pairs.empty()) throw FitImpossible("no measured HVL to fit");
  for (const HvlPair& pair : pairs) {
    if (pairProblem(pair)) throw FitImpossible("a measured pair cannot be used");
  }
  std::vector<std::pair<double, double>> bounds;  // model HVLs at 0 and the thickest
  for (const HvlPair& pair : pairs) {
    const double bare = modelHvl(model, pair.tubeVoltage, 0.0);
    if (pair.hvl < bare) throw UnreachableHvl(pair, 0.0, bare);
    const double thickest = modelHvl(model, pair.tubeVoltage, kThickestAluminium);
    if (pair.hvl > thickest) throw UnreachableHvl(pair, kThickestAluminium, thickest);
    bounds.emplace_back(bare, thickest);
  }
  HvlFit fit;
  fit.aluminium = pairs.size() == 1 ? rootThickness(model, pairs[0], 0.0, bounds[0].first,
                                                    kThickestAluminium, bounds[0].second)
                                    : leastSquaresThickness(model, pairs);
  for (const HvlPair& pair : pairs) {
    fit.pairs.push_back({pair, modelHvl(model, pair.tubeVoltage, fit.aluminium)});
  }
  return fit;
}

}  // namespace calibration
