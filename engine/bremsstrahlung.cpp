#include "engine/bremsstrahlung.h"

#include <algorithm>
#include <cmath>

#include "engine/lane_arithmetic.h"
#include "engine/single_exp.h"
#include "engine/single_functions.h"

namespace engine {

namespace {
constexpr float kElectronRestEnergy = 511.0f;  // keV
// exp(-70) is about 2^-101: weight times attenuation stays normal above it.
constexpr float kTinyExponent = -70.0f;
}  // namespace

float depthEnergyConstant(float tubeVoltage) {
  const float v = tubeVoltage;
  // Squares are written as products; cubes and fourth powers are the engines' own
  // correctly rounded ones.
  return 141766.0f + 12157.0f * v - 111.046f * (v * v) + 0.552536f * cubeSingle(v) -
         0.000970158f * fourthPowerSingle(v);
}

std::vector<BremsstrahlungTerm> bremsstrahlungTerms(const BremsstrahlungTarget& target,
                                                    float tubeVoltage, int bin) {
  const float v = tubeVoltage;
  const float e = binEnergy(bin);
  const ShapePolynomial shape = target.shape();
  const float prefactor = target.crossSectionPrefactor(v, e);
  const float depthScale = depthEnergyConstant(v) * target.density();
  std::vector<BremsstrahlungTerm> terms;
  for (float t = e; t <= v; t = t + kEnergyStep) {
    const float u = e / t;
    const float polynomial = 1.0f - shape.a * u + shape.b * (u * u) - shape.c * cubeSingle(u) +
                             shape.d * fourthPowerSingle(u);
    const float q = prefactor * polynomial;
    const float s = target.stoppingPower(t);
    const float weight = (1.0f + kElectronRestEnergy / t) * q / s;
    const float depth = (v * v - t * t) / depthScale;
    terms.push_back({weight, depth});
  }
  return terms;
}

BremsstrahlungSpectrum::BremsstrahlungSpectrum(const BremsstrahlungTarget& target,
                                               const CoefficientTable& table, float tubeVoltage)
    : highestBin_(highestBin(tubeVoltage)) {
  const BinColumn& mu = target.selfAbsorption(table);
  std::vector<std::vector<BremsstrahlungTerm>> termsByBin(highestBin_ + 1);
  std::size_t mostTerms = 0;
  for (int bin = 2; bin <= highestBin_; ++bin) {
    negativeMu_[bin] = -mu[bin];
    termsByBin[bin] = bremsstrahlungTerms(target, tubeVoltage, bin);
    mostTerms = std::max(mostTerms, termsByBin[bin].size());
  }
  for (std::size_t step = 0; step < mostTerms; ++step) {
    int lastBin = highestBin_;
    while (termsByBin[lastBin].size() <= step) --lastBin;
    blocks_.push_back({static_cast<int>(weights_.size()), lastBin});
    for (int bin = 2; bin <= lastBin; ++bin) {
      const bool present = step < termsByBin[bin].size();
      weights_.push_back(present ? termsByBin[bin][step].weight : 0.0f);
      depths_.push_back(present ? termsByBin[bin][step].depth : 0.0f);
    }
  }
  exponents_.resize(weights_.size());
  attenuations_.resize(weights_.size());
}

void BremsstrahlungSpectrum::compute(float pathFactor, Spectrum& out) {
  out.fill(0.0f);
  const float* depth = depths_.data();
  float* exponent = exponents_.data();
  for (const Block& block : blocks_) {
    const int width = block.lastBin - 1;
    const float* mu = negativeMu_.data() + 2;
    float* x = exponent + block.offset;
    const float* q = depth + block.offset;
    for (int n = 0; n < width; ++n) x[n] = mu[n] * (q[n] * pathFactor);
  }
  expSingleArray(exponents_.data(), attenuations_.data(), exponents_.size());

  // The first block holds every bin's deepest term. Where its exponent is below
  // kTinyExponent, attenuations may be tiny and the products take the path of
  // lane_arithmetic.h; the same floats, without subnormal multiplications.
  int tinyCount = 0;
  for (int n = 0; n < highestBin_ - 1; ++n) {
    if (exponents_[n] < kTinyExponent) tinyCount = n + 1;
  }
  float* sum = out.data() + 2;
  for (const Block& block : blocks_) {
    const int width = block.lastBin - 1;
    const float* weight = weights_.data() + block.offset;
    const float* attenuation = attenuations_.data() + block.offset;
    const int tiny = std::min(width, tinyCount);
    addProducts(weight, attenuation, sum, tiny);
    for (int n = tiny; n < width; ++n) sum[n] = sum[n] + weight[n] * attenuation[n];
  }
}

}  // namespace engine
