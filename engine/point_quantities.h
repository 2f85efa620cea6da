#pragma once

#include <optional>
#include <span>

#include "engine/bins.h"
#include "engine/coefficient_table.h"

namespace engine {

// What one field point yields (single precision).
struct PointQuantities {
  float peak = 0;           // largest bin of the point spectrum
  float photonFluence = 0;  // sum of the bins
  float energyFluence = 0;  // sum of E_i * P(i)
  float airKerma = 0;       // sum of muEn_air(i) * P(i) * E_i
  float hvl = 0;            // aluminium half-value layer, mm
  bool defined = true;      // false when the HVL cannot be found (zero kerma, no 50 % crossing)
};
// An undefined point has hvl 0; its four sums are kept as computed.

// The HVL search: kerma-weighted transmission behind steps of 0.001 cm (0.01 mm) of
// aluminium. The table of record has 300 steps (3.00 mm); harder beams are followed on
// with the same rule up to 5000 steps (50 mm), which changes no result within 300 steps.
inline constexpr float kAluminiumStep = 0.001f;  // cm
inline constexpr int kTabulatedAluminiumSteps = 300;
inline constexpr int kMaxAluminiumSteps = 5000;

// The calculator follows this many points side by side; it is fastest on multiples of it.
inline constexpr int kPointsPerBatch = 16;

// The plain computation of one point: the straightforward loops as the model states
// them (300 aluminium steps, then the search). Reference for tests. Bins above
// highestBin must be 0 (they are for every spectrum of a run); they are not visited.
PointQuantities computePlainPointQuantities(const Spectrum& pointSpectrum, int highestBin,
                                            const CoefficientTable& table);

// The aluminium thickness in mm behind which the kerma-weighted transmission of the point
// spectrum falls to transmissionPercent, by the rule of the HVL search (steps of 0.01 mm up
// to 50 mm, logarithmic interpolation between the two steps around the level): at 50 the
// HVL of computePlainPointQuantities, at 25 the quarter-value layer (HVL1 + HVL2). nullopt
// where the HVL would be undefined.
std::optional<float> computePlainAluminiumLayer(const Spectrum& pointSpectrum, int highestBin,
                                                const CoefficientTable& table,
                                                float transmissionPercent);

// Per-run factors (aluminium step factor per bin) computed once; compute() gives, for
// every spectrum, exactly the values of computePlainPointQuantities, float for float.
// It follows several points side by side, each with its own order of additions, and
// stops stepping once all of them have crossed 50 %.
class PointQuantityCalculator {
 public:
  PointQuantityCalculator(const CoefficientTable& table, int highestBin);

  // out[k] gets the quantities of spectra[k]; out must hold at least spectra.size()
  // entries (std::invalid_argument otherwise).
  void compute(std::span<const Spectrum> spectra, std::span<PointQuantities> out) const;

  // What the search needs per bin, the same for every point of a run.
  struct RunFactors {
    BinColumn kermaWeight{};        // muEn_air
    BinColumn stepFactor{};         // exp(-muAl * step)
    BinColumn stepsPerBinade{};     // steps that halve a weight: -1 / log2(step factor)
    BinColumn smallestSafeValue{};  // smallest spectrum value whose kerma weight stays normal
  };

 private:
  int highestBin_;
  RunFactors factors_;
};

}  // namespace engine
