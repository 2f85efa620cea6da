#include "palvane/physics/beam_quality.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "text_files/number_text.h"

namespace palvane {

namespace {

// One bin's share of the air kerma and its aluminium attenuation per cm.
struct KermaShare {
  double weight = 0.0;
  double attenuation = 0.0;
};

// Air-kerma transmission through aluminium as a function of the thickness t in cm:
// T(t) = sum of weight * exp(-attenuation * t), the weights summing to 1.
class KermaTransmission {
 public:
  explicit KermaTransmission(std::vector<KermaShare> shares) : shares_(std::move(shares)) {
    for (const KermaShare& share : shares_) {
      meanAttenuation_ += share.weight * share.attenuation;
      leastAttenuation_ = std::min(leastAttenuation_, share.attenuation);
    }
  }

  // The thickness in cm at which the transmission falls to `fraction` (0 < fraction < 1),
  // searched upward from `start`, a thickness known not to lie beyond the root.
  //
  // ln T(t) is convex and falling, so Newton's method started left of the root climbs to it
  // without overshooting. Jensen's inequality gives T(t) >= exp(-meanAttenuation * t),
  // which places ln(1 / fraction) / meanAttenuation left of the root; the least attenuation
  // bounds the root from the right.
  double thicknessFor(double fraction, double start) const {
    const double logsToFall = std::log(1.0 / fraction);
    const double farthest = logsToFall / leastAttenuation_;
    double thickness = std::max(start, logsToFall / meanAttenuation_);
    constexpr int kMostSteps = 100;  // quadratic convergence needs far fewer
    for (int step = 0; step < kMostSteps; ++step) {
      double transmitted = 0.0;
      double attenuated = 0.0;  // minus the slope of T
      for (const KermaShare& share : shares_) {
        const double part = share.weight * std::exp(-share.attenuation * thickness);
        transmitted += part;
        attenuated += part * share.attenuation;
      }
      // Newton step on ln T(t) - ln(fraction), whose slope is -attenuated / transmitted.
      const double advance = (std::log(transmitted) + logsToFall) * transmitted / attenuated;
      const double next = std::min(thickness + advance, farthest);
      if (!(next > thickness)) break;  // converged; also ends on a rounding step backward
      thickness = next;
    }
    return thickness;
  }

 private:
  std::vector<KermaShare> shares_;
  double meanAttenuation_ = 0.0;
  double leastAttenuation_ = std::numeric_limits<double>::infinity();
};

bool isNonNegative(double value) { return std::isfinite(value) && value >= 0.0; }

}  // namespace

std::optional<BeamQuality> computeBeamQuality(const BinArray& spectrum,
                                              const BinArray& aluminiumAttenuation,
                                              const BinArray& airEnergyAbsorption) {
  double photons = 0.0;
  double photonEnergy = 0.0;
  double airKerma = 0.0;
  std::vector<KermaShare> shares;
  for (int i = 1; i <= kLastBin; ++i) {
    const double count = spectrum[i];
    if (!isNonNegative(count)) return std::nullopt;
    if (count == 0.0) continue;     // an empty bin adds nothing, whatever its coefficients
    const double energy = 0.2 * i;  // keV
    photons += count;
    photonEnergy += count * energy;
    if (!isNonNegative(airEnergyAbsorption[i])) return std::nullopt;
    const double kerma = airEnergyAbsorption[i] * count * energy;
    if (kerma == 0.0) continue;
    const double attenuation = aluminiumAttenuation[i];
    if (!std::isfinite(attenuation) || attenuation <= 0.0) return std::nullopt;
    airKerma += kerma;
    shares.push_back({kerma, attenuation});
  }
  if (!(airKerma > 0.0) || !std::isfinite(airKerma) || !std::isfinite(photonEnergy)) {
    return std::nullopt;
  }
  for (KermaShare& share : shares) share.weight /= airKerma;

  const KermaTransmission transmission(std::move(shares));
  const double halfThickness = transmission.thicknessFor(0.5, 0.0);
  const double quarterThickness = transmission.thicknessFor(0.25, halfThickness);
  constexpr double kMillimetresPerCentimetre = 10.0;
  BeamQuality quality;
  quality.meanEnergy = photonEnergy / photons;
  quality.firstHvl = kMillimetresPerCentimetre * halfThickness;
  quality.secondHvl = kMillimetresPerCentimetre * (quarterThickness - halfThickness);
  quality.homogeneity = quality.firstHvl / quality.secondHvl;
  quality.airKerma = airKerma;
  // Only coefficients near the largest double could squeeze the second HVL to nothing.
  if (!std::isfinite(quality.homogeneity)) return std::nullopt;
  return quality;
}

std::optional<double> relativeAirKermaPercent(const BeamQuality& quality,
                                              std::optional<double> axisAirKerma) {
  if (!axisAirKerma || !(*axisAirKerma > 0.0) || !std::isfinite(*axisAirKerma)) {
    return std::nullopt;
  }
  const double percent = 100.0 * quality.airKerma / *axisAirKerma;
  if (!std::isfinite(percent)) return std::nullopt;
  return percent;
}

std::vector<std::string> beamQualityLines(const std::optional<BeamQuality>& quality,
                                          std::optional<double> axisAirKerma) {
  if (!quality) return {kBeamQualityUndefinedText};
  std::vector<std::string> lines = {
      "Mean energy  " + PatternFormat(quality->meanEnergy, kMeanEnergyPattern) + " keV",
      "HVL1  " + PatternFormat(quality->firstHvl, kHvlPattern) + " mm Al",
      "HVL2  " + PatternFormat(quality->secondHvl, kHvlPattern) + " mm Al",
      "Homogeneity " + PatternFormat(quality->homogeneity, kHomogeneityPattern),
  };
  if (const auto percent = relativeAirKermaPercent(*quality, axisAirKerma)) {
    lines.push_back("Relative air kerma " + PatternFormat(*percent, kRelativeKermaPattern) + " %");
  }
  return lines;
}

}  // namespace palvane
