#pragma once

#include <array>

#include "engine/beam_parameters.h"
#include "engine/bins.h"

namespace dornic {

// Bins that receive the K lines of molybdenum, one entry per added fraction, in the
// order they are added: 17.4 keV twice, 19.6 keV twice, 20.0 keV.
inline constexpr std::array<int, 5> kLineBins = {87, 87, 98, 98, 100};

// The line yield K = slope * V - intercept and the fractions of the set chosen by the
// filters.
struct LineSet {
  float slope;
  float intercept;
  std::array<float, 5> fractions;  // for kLineBins, in order
};

// Set A with a molybdenum filter (even if there is rhodium as well), set B with a rhodium
// filter only, set C without either.
const LineSet& chooseLineSet(const engine::BeamParameters& parameters);

// Adds (F * K) * f for every line to the spectrum, F being the sum of the filtered
// bremsstrahlung bins 2..N. A negative K (below about 20.75 kV with a molybdenum filter,
// 20.26 kV otherwise) counts as 0: no lines.
void addCharacteristicLines(const LineSet& lines, float tubeVoltage, float filteredSum,
                            engine::Spectrum& spectrum);

}  // namespace dornic
