#pragma once

#include <optional>
#include <string>
#include <vector>

#include "palvane/state/shared_state.h"

namespace palvane {

// Beam-quality figures of one photon spectrum.
struct BeamQuality {
  double meanEnergy = 0.0;   // photon-number weighted mean photon energy, keV
  double firstHvl = 0.0;     // aluminium that halves the air kerma, mm
  double secondHvl = 0.0;    // further aluminium from 50 % to 25 % of the air kerma, mm
  double homogeneity = 0.0;  // firstHvl / secondHvl
  // Sum over the bins of energy-absorption coefficient * photon number * photon energy
  // in keV: the air kerma in the units of the coefficient column, for relative air kerma.
  double airKerma = 0.0;
};

// The beam quality of a spectrum given as photon numbers per 0.2-keV bin (bins 1..250,
// bin i at 0.2 * i keV), with the linear attenuation coefficient of aluminium per cm and
// the mass energy-absorption coefficient of air (the kerma weight) by bin. The HVLs are
// exact roots of the air-kerma weighted transmission exp(-muAl * t), with no upper limit
// on the thickness. nullopt when the spectrum carries no air kerma, holds a negative or
// non-finite bin, or a bin that carries kerma has no positive, finite aluminium
// coefficient (its kerma could then never be halved).
std::optional<BeamQuality> computeBeamQuality(const BinArray& spectrum,
                                              const BinArray& aluminiumAttenuation,
                                              const BinArray& airEnergyAbsorption);

inline constexpr const char* kBeamQualityUndefinedText = "Beam quality not defined";

// The display patterns of the figures, shared by the read-outs and the exported files.
inline constexpr const char* kMeanEnergyPattern = "0.00";    // keV
inline constexpr const char* kHvlPattern = "0.000";          // mm of aluminium
inline constexpr const char* kHomogeneityPattern = "0.00";   // HVL1 / HVL2
inline constexpr const char* kRelativeKermaPattern = "0.0";  // percent

// The point's air kerma in percent of the beam axis's; nullopt unless the reference is
// positive and finite and the percentage finite.
std::optional<double> relativeAirKermaPercent(const BeamQuality& quality,
                                              std::optional<double> axisAirKerma);

// The read-out lines of the forms: mean energy, HVL1, HVL2, homogeneity and, when the
// beam-axis air kerma is known and positive, the point's air kerma in percent of it.
// A single line kBeamQualityUndefinedText for an undefined beam quality. The decimal
// point is always a full stop.
std::vector<std::string> beamQualityLines(const std::optional<BeamQuality>& quality,
                                          std::optional<double> axisAirKerma);

}  // namespace palvane
