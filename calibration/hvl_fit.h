#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "text_files/spectrum_form_defaults.h"

namespace calibration {

// The fitted aluminium-equivalent thickness lies within 0 to this, in mm.
inline constexpr double kThickestAluminium = 5.0;
// The fit finds the thickness to this, in mm.
inline constexpr double kAluminiumTolerance = 0.001;

// One measurement: the first HVL of the beam at one tube voltage.
struct HvlPair {
  double tubeVoltage = 0.0;  // kV
  double hvl = 0.0;          // first HVL, mm of aluminium
};

// Measured pairs are taken for the tube voltages the model computes
// (palvane::kLowestTubeVoltage to palvane::kHighestTubeVoltage, in kV).

// What is wrong with a pair as a measurement: a tube voltage outside 20 to 50 kV or an HVL
// that is not above 0; nullopt for a usable pair.
enum class PairProblem { kTubeVoltageOutOfRange, kHvlNotPositive };
std::optional<PairProblem> pairProblem(const HvlPair& pair);

// The model's first HVL in mm of aluminium for a tube voltage in kV and an
// aluminium-equivalent thickness in mm; nullopt where the model has none.
using HvlModel = std::function<std::optional<double>(double tubeVoltage, double aluminium)>;

// A pair and what the model gives for it at the fitted thickness.
struct PairFit {
  HvlPair measured;
  double modelHvl = 0.0;                                                     // mm
  double difference() const { return modelHvl - measured.hvl; }              // mm
  double relativeDifference() const { return difference() / measured.hvl; }  // 1
};

struct HvlFit {
  double aluminium = 0.0;  // the fitted thickness, mm
  std::vector<PairFit> pairs;
  double largestRelativeDifference() const;  // in magnitude, sign kept
};

// No thickness within 0 to kThickestAluminium reaches the measured HVL of `pair`: it is
// below the model's HVL with no aluminium or above the model's HVL with the thickest.
class UnreachableHvl : public std::runtime_error {
 public:
  UnreachableHvl(HvlPair pair, double boundAluminium, double boundHvl);
  HvlPair pair;
  double boundAluminium;  // 0 or kThickestAluminium, mm
  double boundHvl;        // the model's HVL there, mm
  bool belowModel() const { return pair.hvl < boundHvl; }
};

// The model has no HVL for a pair's tube voltage at some thickness, or a pair is unusable.
class FitImpossible : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The aluminium-equivalent thickness that makes the model's HVL meet the measured ones: for
// one pair the root (to kAluminiumTolerance, found by bisection and a last linear step),
// for several the thickness that minimises the sum of the squared relative differences
// (golden-section search; every model HVL rises steadily with the aluminium, so the sum
// has one minimum). Every pair must be reachable on its own: otherwise UnreachableHvl for
// the first pair that is not. FitImpossible for an empty list, an unusable pair or a
// model without a value.
HvlFit fitAluminium(const HvlModel& model, const std::vector<HvlPair>& pairs);

}  // namespace calibration
