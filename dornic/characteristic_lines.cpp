#include "dornic/characteristic_lines.h"

#include <algorithm>

namespace dornic {

namespace {
constexpr LineSet kMolybdenumFilterSet{0.0379f, 0.7866f, {0.543f, 0.283f, 0.101f, 0.051f, 0.022f}};
constexpr LineSet kRhodiumFilterSet{0.0323f, 0.6543f, {0.538f, 0.282f, 0.104f, 0.053f, 0.023f}};
constexpr LineSet kNoFilterSet{0.0323f, 0.6543f, {0.556f, 0.292f, 0.088f, 0.045f, 0.043f}};
}  // namespace

const LineSet& chooseLineSet(const engine::BeamParameters& parameters) {
  if (parameters.molybdenum > 0.0f) return kMolybdenumFilterSet;
  if (parameters.rhodium > 0.0f) return kRhodiumFilterSet;
  return kNoFilterSet;
}

void addCharacteristicLines(const LineSet& lines, float tubeVoltage, float filteredSum,
                            engine::Spectrum& spectrum) {
  // Below about 20 kV the linear yield turns negative; a photon number cannot be, so the
  // lines are then absent. Where the yield is positive it is used exactly as computed.
  const float yield = std::max(lines.slope * tubeVoltage - lines.intercept, 0.0f);
  for (std::size_t line = 0; line < kLineBins.size(); ++line) {
    spectrum[kLineBins[line]] += filteredSum * yield * lines.fractions[line];
  }
}

}  // namespace dornic
