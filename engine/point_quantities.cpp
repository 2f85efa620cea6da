#include "engine/point_quantities.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <stdexcept>

#include "engine/single_exp.h"

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

// HVL in mm from the first step whose transmission `after` (percent) fell below 50 %
// and the transmission `before` one step earlier: where the logarithm of the
// transmission, interpolated linearly between the two steps, reaches ln 50. The search
// starts at step 1 with 100 % before it: if the first step already falls below 50 %,
// interpolating between steps 0 and 1 stays an interpolation, where steps 1 and 2 would
// extrapolate and could give a negative thickness. Anything but a positive, finite
// result (equal logarithms, a transmission of 0) leaves the point undefined.
void setHalfValueLayer(int step, float before, float after, PointQuantities& quantities) {
  const float logBefore = std::log(before);
  const float fraction = (std::log(kHalfTransmission) - logBefore) / (std::log(after) - logBefore);
  const float hvl = kStepMillimetres * (static_cast<float>(step - 1) + fraction);
  if (std::isfinite(hvl) && hvl > 0) {
    quantities.hvl = hvl;
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

  BinColumn weight{};
  float weightSum = 0;
  for (int bin = 2; bin <= lastBin; ++bin) {
    weight[bin] = table.muEnAir[bin] * pointSpectrum[bin] * binEnergy(bin);
    weightSum += weight[bin];
  }
  if (!canNormalise(weightSum)) {
    markUndefined(quantities);
    return quantities;
  }
  for (int bin = 2; bin <= lastBin; ++bin) weight[bin] = weight[bin] / weightSum;

  // One more step of aluminium; returns the transmission in percent.
  const auto stepThroughAluminium = [&] {
    for (int bin = 2; bin <= lastBin; ++bin) {
      weight[bin] = weight[bin] * aluminiumStepFactor(table.muAl[bin]);
    }
    float sum = 0;
    for (int bin = 2; bin <= lastBin; ++bin) sum += weight[bin];
    return kFullTransmission * sum;
  };

  std::array<float, kMaxAluminiumSteps + 1> transmission{};
  transmission[0] = kFullTransmission;
  for (int step = 1; step <= kTabulatedAluminiumSteps; ++step) {
    transmission[step] = stepThroughAluminium();
  }
  int crossing = 0;
  for (int step = 1; step <= kTabulatedAluminiumSteps && crossing == 0; ++step) {
    if (transmission[step] < kHalfTransmission) crossing = step;
  }
  for (int step = kTabulatedAluminiumSteps + 1; step <= kMaxAluminiumSteps && crossing == 0;
       ++step) {
    transmission[step] = stepThroughAluminium();
    if (transmission[step] < kHalfTransmission) crossing = step;
  }

  if (crossing == 0) {
    markUndefined(quantities);
  } else {
    setHalfValueLayer(crossing, transmission[crossing - 1], transmission[crossing], quantities);
  }
  return quantities;
}

// The fast path follows kLanes points side by side in one vector: values are held as
// [bin] of lanes, every operation on a lane vector is a vector operation, and each lane
// keeps the exact order of operations of the plain loops, so the floats are the same.
// One pass over the bins takes every weight kStepsPerPass aluminium steps further and
// sums each step separately (in bin order, as the plain loop does), so the weights are
// read and written once per kStepsPerPass steps and the step sums form independent chains
// of additions that keep the vector units busy. 16 lanes keep the weights of a batch
// (16 KiB) in the first-level cache.
namespace {

constexpr int kLanes = 16;
constexpr int kStepsPerPass = 4;
using Lanes = float __attribute__((vector_size(kLanes * sizeof(float))));
using LaneColumns = std::array<Lanes, kBinCount + 1>;  // [bin] of lanes

struct LaneSums {
  Lanes peak{};
  Lanes photonFluence{};
  Lanes energyFluence{};
  Lanes airKerma{};
};

// The four sums of every lane, and the kerma weight of every bin and lane (not yet
// normalised). Lanes without a spectrum hold zeros.
[[gnu::always_inline]] inline void sumLanes(std::span<const Spectrum> spectra,
                                            const BinColumn& kermaWeight, int lastBin,
                                            LaneSums& sums, LaneColumns& weight) {
  for (int bin = 2; bin <= lastBin; ++bin) {
    Lanes value{};
    for (std::size_t lane = 0; lane < spectra.size(); ++lane) value[lane] = spectra[lane][bin];
    const float energy = binEnergy(bin);
    const float muEnAir = kermaWeight[bin];
    sums.peak = value > sums.peak ? value : sums.peak;
    sums.photonFluence += value;
    sums.energyFluence += energy * value;
    weight[bin] = muEnAir * value * energy;
    sums.airKerma += weight[bin];
  }
}

// kStepsPerPass aluminium steps for all lanes: each step multiplies every weight by its
// bin's factor; per step and lane the sum of the weights in bin order.
[[gnu::always_inline]] inline void stepLanesThroughAluminium(
    LaneColumns& weight, const BinColumn& stepFactor, int lastBin,
    std::array<Lanes, kStepsPerPass>& stepSums) {
  Lanes sum0{}, sum1{}, sum2{}, sum3{};
  static_assert(kStepsPerPass == 4, "one sum variable per step of a pass");
  for (int bin = 2; bin <= lastBin; ++bin) {
    const float factor = stepFactor[bin];
    Lanes binWeight = weight[bin];
    binWeight = binWeight * factor;
    sum0 = sum0 + binWeight;
    binWeight = binWeight * factor;
    sum1 = sum1 + binWeight;
    binWeight = binWeight * factor;
    sum2 = sum2 + binWeight;
    binWeight = binWeight * factor;
    sum3 = sum3 + binWeight;
    weight[bin] = binWeight;
  }
  stepSums = {sum0, sum1, sum2, sum3};
}

// Up to kLanes points. The clones for wider vectors use the same IEEE operations (no fused
// multiply-add), so every path gives the same floats.
__attribute__((target_clones("avx512f", "avx2", "default"))) void computeLaneBatch(
    std::span<const Spectrum> spectra, std::span<PointQuantities> out, const BinColumn& kermaWeight,
    const BinColumn& stepFactor, int lastBin) {
  LaneColumns weight;
  LaneSums sums;
  sumLanes(spectra, kermaWeight, lastBin, sums, weight);

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
  for (int bin = 2; bin <= lastBin; ++bin) weight[bin] = weight[bin] / normaliser;

  // Passes go on until every lane has crossed 50 %; a lane that has crossed is carried
  // along unread, and the steps of a pass after a lane's crossing are never read.
  std::array<float, kLanes> before;
  before.fill(kFullTransmission);
  for (int firstStep = 1; searchingCount > 0 && firstStep <= kMaxAluminiumSteps;
       firstStep += kStepsPerPass) {
    std::array<Lanes, kStepsPerPass> stepSums;
    stepLanesThroughAluminium(weight, stepFactor, lastBin, stepSums);
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
    : highestBin_(lastBinOf(highestBin)), kermaWeight_(table.muEnAir) {
  for (int bin = 2; bin <= highestBin_; ++bin) {
    aluminiumStepFactor_[bin] = aluminiumStepFactor(table.muAl[bin]);
  }
}

void PointQuantityCalculator::compute(std::span<const Spectrum> spectra,
                                      std::span<PointQuantities> out) const {
  if (out.size() < spectra.size()) {
    throw std::invalid_argument("point quantities: fewer result places than spectra");
  }
  for (std::size_t first = 0; first < spectra.size(); first += kLanes) {
    const std::size_t count = std::min<std::size_t>(kLanes, spectra.size() - first);
    computeLaneBatch(spectra.subspan(first, count), out.subspan(first, count), kermaWeight_,
                     aluminiumStepFactor_, highestBin_);
  }
}

}  // namespace engine
