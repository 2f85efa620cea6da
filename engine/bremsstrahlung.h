#pragma once

#include <vector>

#include "engine/bins.h"
#include "engine/coefficient_table.h"

namespace engine {

// Coefficients of the cross-section shape 1 - a u + b u^2 - c u^3 + d u^4, u = E / T.
struct ShapePolynomial {
  float a, b, c, d;
};

// What the target material contributes to the bremsstrahlung term
//   (1 + 511 / T) * Q / S * exp(-mu(i) * D),  Q = prefactor * shape(u),
//   D = (V^2 - T^2) / (C * density) * G.
class BremsstrahlungTarget {
 public:
  virtual ~BremsstrahlungTarget() = default;
  // Target density in g/cm^3; divides the depth an electron reaches.
  virtual float density() const = 0;
  virtual ShapePolynomial shape() const = 0;
  // Prefactor of the cross-section for tube voltage V (kV) and photon energy E (keV).
  virtual float crossSectionPrefactor(float tubeVoltage, float photonEnergy) const = 0;
  // Stopping power of the target for electrons of kinetic energy T (keV).
  virtual float stoppingPower(float electronEnergy) const = 0;
  // Linear attenuation coefficient of the target material (per cm), by bin.
  virtual const BinColumn& selfAbsorption(const CoefficientTable& table) const = 0;
};

// Depth-energy constant C(V) = 141766 + 12157 V - 111.046 V^2 + 0.552536 V^3
// - 0.000970158 V^4 for tube voltage V in kV, powers as real powers.
float depthEnergyConstant(float tubeVoltage);

// Value of one bremsstrahlung term apart from its self-absorption exp(-mu(i) * q * G).
struct BremsstrahlungTerm {
  float weight;  // (1 + 511 / T) * Q / S
  float depth;   // q = (V^2 - T^2) / (C * density), cm before the path factor
};

// The terms of bin i for tube voltage V: T = E_i, E_i + 0.2, ... while T <= V, with T
// accumulated in single precision.
std::vector<BremsstrahlungTerm> bremsstrahlungTerms(const BremsstrahlungTarget& target,
                                                    float tubeVoltage, int bin);

// The self-absorbed bremsstrahlung sums of one run. Everything in a term but the
// exponential is independent of the column, so it is computed once; each column then
// costs one vectorised exponential per term and a sum per bin in the original order.
class BremsstrahlungSpectrum {
 public:
  BremsstrahlungSpectrum(const BremsstrahlungTarget& target, const CoefficientTable& table,
                         float tubeVoltage);

  // Sets bins 2..N of `out` to the bremsstrahlung sums for path factor G and every other
  // bin to 0; G must be finite.
  void compute(float pathFactor, Spectrum& out);

 private:
  // Terms are stored step-major: block s holds term s of bins 2..lastBin(s), so that the
  // sums of all bins advance together and each bin still adds its terms in order. A bin
  // without a term s inside a block gets weight 0 and depth 0, which adds exactly 0.
  struct Block {
    int offset;   // first term of the block in the arrays below
    int lastBin;  // the block covers bins 2..lastBin
  };
  int highestBin_;
  BinColumn negativeMu_{};  // -mu(i) of the target material
  std::vector<Block> blocks_;
  std::vector<float> weights_;
  std::vector<float> depths_;
  std::vector<float> exponents_;     // scratch for one column: -mu(i) * q * G
  std::vector<float> attenuations_;  // and their exponentials
};

}  // namespace engine
