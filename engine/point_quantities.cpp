#include "engine/point_quantities.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <stdexcept>

#include "engine/float_rules.h"
#include "engine/lane_arithmetic.h"
#include "engine/single_exp.h"
#include "engine/single_functions.h"

namespace engine {
namespace {

constexpr float kFullTransmission = 100.0f;  // percent, before any aluminium
constexpr float kHalfTransmission = 50.0f;   // percent
constexpr float kStepMillimetres = 0.01f;    // one aluminium step in mm

// Bins 2..lastBin carry radiation; clamping keeps every loop inside the arrays.
int lastBinOf(int highestBin) { return std::clamp(highestBin, 1, kBinCount); }

// Fraction left behind one aluminium step; muAl is the linear attenuation coefficient
// of aluminium per cm.
float aluminiumStepFactor(float muAl) { return expSingle(-muAl * kAluminiumStep); }

// The weights need a positive, finite air kerma to be normalised.
bool canNormalise(float airKerma) { return std::isfinite(airKerma) && airKerma > 0; }

void markUndefined(PointQuantities& quantities) {
  quantities.hvl = 0;
  quantities.defined = false;
}

// The aluminium thickness in mm from the first step whose transmission `after` (percent)
// fell below `level` and the transmission `before` one step earlier: where the logarithm
// of the transmission, interpolated linearly between the two steps, reaches ln level. The
// search starts at step 1 with 100 % before it: if the first step already falls below the
// level, interpolating between steps 0 and 1 stays an interpolation, where steps 1 and 2
// would extrapolate and could give a negative thickness. Anything but a positive, finite
// result (equal logarithms, a transmission of 0) is no thickness.
std::optional<float> layerBetween(int step, float before, float after, float level) {
  const float logBefore = logSingle(before);
  const float fraction = (logSingle(level) - logBefore) / (logSingle(after) - logBefore);
  const float layer = kStepMillimetres * (static_cast<float>(step - 1) + fraction);
  if (std::isfinite(layer) && layer > 0) return layer;
  return std::nullopt;
}

// The HVL from the step that crossed 50 % (layerBetween); none leaves the point undefined.
void setHalfValueLayer(int step, float before, float after, PointQuantities& quantities) {
  const std::optional<float> hvl = layerBetween(step, before, after, kHalfTransmission);
  if (hvl) {
    quantities.hvl = *hvl;
    quantities.defined = true;
  } else {
    markUndefined(quantities);
  }
}

}  // namespace

PointQuantities computePlainPointQuantities(const Spectrum& pointSpectrum, int highestBin,
                                            const CoefficientTable& table) {
  const int lastBin = lastBinOf(highestBin);
  PointQuantities quantities;
  for (int bin = 2; bin <= lastBin; ++bin) {
    const float value = pointSpectrum[bin];
    const float energy = binEnergy(bin);
    if (value > quantities.peak) quantities.peak = value;
    quantities.photonFluence += value;
    quantities.energyFluence += energy * value;
    quantities.airKerma += table.muEnAir[bin] * value * energy;
  }
  const std::optional<float> hvl =
      computePlainAluminiumLayer(pointSpectrum, highestBin, table, kHalfTransmission);
  if (hvl) {
    quantities.hvl = *hvl;
  } else {
    markUndefined(quantities);
  }
  return quantities;
}

std::optional<float> computePlainAluminiumLayer(const Spectrum& pointSpectrum, int highestBin,
                                                const CoefficientTable& table,
                                                float transmissionPercent) {
  const int lastBin = lastBinOf(highestBin);
  BinColumn weight{};
  float weightSum = 0;
  for (int bin = 2; bin <= lastBin; ++bin) {
    weight[bin] = table.muEnAir[bin] * pointSpectrum[bin] * binEnergy(bin);
    weightSum += weight[bin];
  }
  if (!canNormalise(weightSum)) return std::nullopt;
  for (int bin = 2; bin <= lastBin; ++bin) weight[bin] = weight[bin] / weightSum;

  float before = kFullTransmission;
  for (int step = 1; step <= kMaxAluminiumSteps; ++step) {
    for (int bin = 2; bin <= lastBin; ++bin) {
      weight[bin] = weight[bin] * aluminiumStepFactor(table.muAl[bin]);
    }
    float sum = 0;
    for (int bin = 2; bin <= lastBin; ++bin) sum += weight[bin];
    const float after = kFullTransmission * sum;
    if (after < transmissionPercent) return layerBetween(step, before, after, transmissionPercent);
    before = after;
  }
  return std::nullopt;
}

// The fast path follows kLanes points side by side in one vector: values are held as
// [bin] of lanes, every operation on a lane vector is a vector operation, and each lane
// keeps the exact order of operations of the plain loops, so the floats are the same.
// One pass over the bins takes every weight kStepsPerPass aluminium steps further and
// sums each step separately (in bin order, as the plain loop does), so the weights are
// read and written once per kStepsPerPass steps and the step sums form independent chains
// of additions that keep the vector units busy. 16 lanes keep the weights of a batch
// (16 KiB) in the first-level cache.
//
// Low photon energies carry weights deep in the subnormal range, where a float
// multiplication costs a microcode assist. Those bins take their steps through
// lane_arithmetic.h (the same floats, no assists); leading bins whose weights are all 0
// are left out, which adds nothing and multiplies nothing.
namespace {

constexpr int kStepsPerPass = 4;
using RunFactors = PointQuantityCalculator::RunFactors;
static_assert(kPointsPerBatch == kLanes, "one point per lane");
using LaneColumns = std::array<Lanes, kBinCount + 1>;  // [bin] of lanes
using StepSums = std::array<Lanes, kStepsPerPass>;

// Weights are taken through the double path while they may come below 2^-125 within a
// pass; the margin to the subnormal range (2^-126) covers the estimate's roundings.
constexpr int kLowestSafeBinade = -125;

struct LaneSums {
  Lanes peak{};
  Lanes photonFluence{};
  Lanes energyFluence{};
  Lanes airKerma{};
};

// The four sums of every lane, and the kerma weight of every bin and lane (not yet
// normalised). Lanes without a spectrum hold zeros. Bins with tiny values take the double
// path of lane_arithmetic.h.
[[gnu::always_inline]] inline void sumLanes(std::span<const Spectrum> spectra,
                                            const RunFactors& factors, int lastBin, LaneSums& sums,
                                            LaneColumns& weight) {
  // Every lane reads a spectrum, those without one a spectrum of zeros: a gather of a fixed
  // number of lanes, unrolled so that each goes into a lane known when compiling, stays in
  // registers, where a loop over the lanes goes through memory lane by lane.
  static const Spectrum kNoSpectrum{};
  std::array<const float*, kLanes> lanes;
  for (std::size_t lane = 0; lane < kLanes; ++lane) {
    lanes[lane] = lane < spectra.size() ? spectra[lane].data() : kNoSpectrum.data();
  }
  for (int bin = 2; bin <= lastBin; ++bin) {
    Lanes value;
#pragma GCC unroll 16
    for (std::size_t lane = 0; lane < kLanes; ++lane) value[lane] = lanes[lane][bin];
    const float energy = binEnergy(bin);
    const float muEnAir = factors.kermaWeight[bin];
    sums.peak = value > sums.peak ? value : sums.peak;
    sums.photonFluence += value;
    if (anyTinyLane(value, Lanes{} + factors.smallestSafeValue[bin])) {
      sums.energyFluence += roundedProduct(value, energy);
      weight[bin] = roundedProduct(roundedProduct(value, muEnAir), energy);
    } else {
      sums.energyFluence += energy * value;
      weight[bin] = muEnAir * value * energy;
    }
    sums.airKerma += weight[bin];
  }
}

// Divides every weight by its lane's normaliser (>= 1 in lanes that are not searched).
[[gnu::always_inline]] inline void normaliseWeights(LaneColumns& weight, Lanes normaliser,
                                                    int lastBin) {
  const Lanes one = Lanes{} + 1.0f;
  const Lanes smallestSafe = 0x1p-125f * (normaliser > one ? normaliser : one);
  for (int bin = 2; bin <= lastBin; ++bin) {
    if (anyTinyLane(weight[bin], smallestSafe)) {
      weight[bin] = roundedQuotient(weight[bin], normaliser);
    } else {
      weight[bin] = weight[bin] / normaliser;
    }
  }
}

// The smallest non-zero weight of the lanes, +infinity when all are 0.
[[gnu::always_inline]] inline float smallestNonZero(const Lanes& weights) {
  constexpr float kNone = std::numeric_limits<float>::infinity();
  Lanes smallest = weights > 0.0f ? weights : Lanes{} + kNone;
  Lanes swapped = __builtin_shufflevector(smallest, smallest, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2,
                                          3, 4, 5, 6, 7);
  smallest = swapped < smallest ? swapped : smallest;
  swapped =
      __builtin_shufflevector(smallest, smallest, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3);
  smallest = swapped < smallest ? swapped : smallest;
  swapped =
      __builtin_shufflevector(smallest, smallest, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1);
  smallest = swapped < smallest ? swapped : smallest;
  return std::min(smallest[0], smallest[1]);
}

// The first step after which a weight of the bin may lie below 2^kLowestSafeBinade: each
// step takes 1 / stepsPerBinade binary orders of magnitude off the smallest non-zero
// weight. Bins without a non-zero weight are never at risk. An estimate: it only chooses
// the path.
[[gnu::always_inline]] inline int firstRiskyStep(const Lanes& weights, float stepsPerBinade) {
  constexpr int kExponentBias = 127;
  constexpr int kMantissaBits = 23;
  const int binade =
      (std::bit_cast<int>(smallestNonZero(weights)) >> kMantissaBits) - kExponentBias;
  const int headroom = binade - kLowestSafeBinade;  // infinity: 128, subnormal: -127
  if (headroom <= 0) return 0;
  const float steps = static_cast<float>(headroom) * stepsPerBinade;
  return steps < kMaxAluminiumSteps ? static_cast<int>(steps) : kMaxAluminiumSteps + 1;
}

// Which bins take which path, pass by pass: bins below zeroEnd hold only zeros (skipped),
// bins from there to lowEnd the double path, the rest the float path. Both ends only rise.
class BinRanges {
 public:
  [[gnu::always_inline]] BinRanges(const LaneColumns& weight, const BinColumn& stepsPerBinade,
                                   int lastBin)
      : lastBin_(lastBin) {
    riskySuffix_[lastBin + 1] = kMaxAluminiumSteps + 1;
    for (int bin = lastBin; bin >= 2; --bin) {
      riskySuffix_[bin] =
          std::min(riskySuffix_[bin + 1], firstRiskyStep(weight[bin], stepsPerBinade[bin]));
    }
  }

  // Moves the ends for a pass whose last step is lastStep.
  [[gnu::always_inline]] void update(const LaneColumns& weight, int lastStep) {
    while (zeroEnd_ <= lastBin_ && !anyNonZero(weight[zeroEnd_])) ++zeroEnd_;
    while (lowEnd_ <= lastBin_ && riskySuffix_[lowEnd_] <= lastStep) ++lowEnd_;
  }
  int zeroEnd() const { return zeroEnd_; }
  int lowEnd() const { return std::max(lowEnd_, zeroEnd_); }

 private:
  int lastBin_;
  int zeroEnd_ = 2;
  int lowEnd_ = 2;
  // Smallest first risky step of the bins from this one up.
  std::array<int, kBinCount + 2> riskySuffix_{};
};

// How a step multiplies a weight by its bin's factor: through double (lane_arithmetic.h),
// which costs more than the float product but no assist, or in float.
enum class StepPath { kThroughDouble, kFloat };

// A function, always inlined, rather than a lambda: the clones for wider vectors must not
// call code built for the baseline with a vector argument (the two pass it differently).
template <StepPath path>
[[gnu::always_inline]] inline RegisterLanes stepProduct(RegisterLanes weight, float factor) {
  if constexpr (path == StepPath::kThroughDouble) {
    return roundedProduct(weight, static_cast<double>(factor));
  } else {
    return weight * factor;
  }
}

// kStepsPerPass aluminium steps of the bins [first, end): each step multiplies every weight
// by its bin's factor; per step and lane the sum of the weights in bin order. Lanes are
// independent, so taking them a register's worth at a time keeps every lane's order of
// operations. Each step sum is a chain of additions across the bins; kPartsAtOnce register
// parts side by side give the processor that many more independent chains to overlap (where
// a register holds all lanes, one part already has four).
template <StepPath path>
[[gnu::always_inline]] inline void stepBins(LaneColumns& weight, const BinColumn& stepFactor,
                                            int first, int end, StepSums& sums) {
  static_assert(kStepsPerPass == 4, "one sum per step of a pass");
  constexpr int kPartsAtOnce = kLanes / kRegisterLanes >= 2 ? 2 : 1;
  constexpr int kPartWidth = kRegisterLanes * kPartsAtOnce;
  static_assert(kLanes % kPartWidth == 0, "whole groups of parts");
  for (int group = 0; group < kLanes; group += kPartWidth) {
    RegisterLanes sum[kPartsAtOnce][kStepsPerPass];
    for (int at = 0; at < kPartsAtOnce; ++at) {
      for (int step = 0; step < kStepsPerPass; ++step) {
        sum[at][step] = registerPart(sums[step], group + at * kRegisterLanes);
      }
    }
    for (int bin = first; bin < end; ++bin) {
      const float factor = stepFactor[bin];
      for (int at = 0; at < kPartsAtOnce; ++at) {
        const int part = group + at * kRegisterLanes;
        RegisterLanes binWeight = registerPart(weight[bin], part);
        for (int step = 0; step < kStepsPerPass; ++step) {
          binWeight = stepProduct<path>(binWeight, factor);
          sum[at][step] = sum[at][step] + binWeight;
        }
        setRegisterPart(weight[bin], part, binWeight);
      }
    }
    for (int at = 0; at < kPartsAtOnce; ++at) {
      for (int step = 0; step < kStepsPerPass; ++step) {
        setRegisterPart(sums[step], group + at * kRegisterLanes, sum[at][step]);
      }
    }
  }
}

// Up to kLanes points. The clones for wider vectors use the same IEEE operations (no fused
// multiply-add), so every path gives the same floats.
ENGINE_VECTOR_CLONES void computeLaneBatch(std::span<const Spectrum> spectra,
                                           std::span<PointQuantities> out,
                                           const RunFactors& factors, int lastBin) {
  LaneColumns weight;
  LaneSums sums;
  sumLanes(spectra, factors, lastBin, sums, weight);

  const int count = static_cast<int>(spectra.size());
  std::array<bool, kLanes> searching{};
  int searchingCount = 0;
  for (int lane = 0; lane < count; ++lane) {
    out[lane] = PointQuantities{sums.peak[lane], sums.photonFluence[lane], sums.energyFluence[lane],
                                sums.airKerma[lane]};
    searching[lane] = canNormalise(sums.airKerma[lane]);
    if (searching[lane]) {
      ++searchingCount;
    } else {
      markUndefined(out[lane]);
    }
  }
  if (searchingCount == 0) return;

  Lanes normaliser;
  for (int lane = 0; lane < kLanes; ++lane) {
    normaliser[lane] = searching[lane] ? sums.airKerma[lane] : 1.0f;
  }
  normaliseWeights(weight, normaliser, lastBin);

  // Passes go on until every lane has crossed 50 %; a lane that has crossed is carried
  // along unread, and the steps of a pass after a lane's crossing are never read.
  BinRanges ranges(weight, factors.stepsPerBinade, lastBin);
  std::array<float, kLanes> before;
  before.fill(kFullTransmission);
  for (int firstStep = 1; searchingCount > 0 && firstStep <= kMaxAluminiumSteps;
       firstStep += kStepsPerPass) {
    ranges.update(weight, firstStep + kStepsPerPass - 1);
    StepSums stepSums{};
    stepBins<StepPath::kThroughDouble>(weight, factors.stepFactor, ranges.zeroEnd(),
                                       ranges.lowEnd(), stepSums);
    stepBins<StepPath::kFloat>(weight, factors.stepFactor, ranges.lowEnd(), lastBin + 1, stepSums);
    for (int lane = 0; lane < count; ++lane) {
      for (int offset = 0; offset < kStepsPerPass && searching[lane]; ++offset) {
        const int step = firstStep + offset;
        if (step > kMaxAluminiumSteps) break;
        const float transmission = kFullTransmission * stepSums[offset][lane];
        if (transmission < kHalfTransmission) {
          setHalfValueLayer(step, before[lane], transmission, out[lane]);
          searching[lane] = false;
          --searchingCount;
        } else {
          before[lane] = transmission;
        }
      }
    }
  }
  for (int lane = 0; lane < count; ++lane) {
    if (searching[lane]) markUndefined(out[lane]);
  }
}

}  // namespace

PointQuantityCalculator::PointQuantityCalculator(const CoefficientTable& table, int highestBin)
    : highestBin_(lastBinOf(highestBin)) {
  factors_.kermaWeight = table.muEnAir;
  for (int bin = 2; bin <= highestBin_; ++bin) {
    const float stepFactor = aluminiumStepFactor(table.muAl[bin]);
    factors_.stepFactor[bin] = stepFactor;
    factors_.stepsPerBinade[bin] = -1.0f / log2Single(stepFactor);
    // The products value * E, value * muEn and value * muEn * E stay normal for values
    // from here up (a zero coefficient gives +infinity: always the double path).
    const double energy = binEnergy(bin);
    const double muEnAir = table.muEnAir[bin];
    const double smallestFactor = std::min({1.0, energy, muEnAir, energy * muEnAir});
    factors_.smallestSafeValue[bin] = static_cast<float>(0x1p-125 / smallestFactor);
  }
}

void PointQuantityCalculator::compute(std::span<const Spectrum> spectra,
                                      std::span<PointQuantities> out) const {
  if (out.size() < spectra.size()) {
    throw std::invalid_argument("point quantities: fewer result places than spectra");
  }
  for (std::size_t first = 0; first < spectra.size(); first += kLanes) {
    const std::size_t count = std::min<std::size_t>(kLanes, spectra.size() - first);
    computeLaneBatch(spectra.subspan(first, count), out.subspan(first, count), factors_,
                     highestBin_);
  }
}

}  // namespace engine
