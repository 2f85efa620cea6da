#pragma once

#include <array>

#include "engine/coefficient_table.h"

namespace dornic {

// Stopping power of molybdenum from Mo-STP.dat: the first row's value up to 1.0 keV,
// above it linear interpolation in the logarithms of energy and stopping power between
// the two rows around the electron energy.
class StoppingPowerInterpolation {
 public:
  // Throws engine::InputError naming Mo-STP.dat unless the energies are positive, ascend
  // strictly (their logarithms too), start at 1.0 keV or below, and every stopping power
  // is positive.
  explicit StoppingPowerInterpolation(const engine::StoppingPowerTable& table);

  // Throws engine::InputError unless the table reaches the tube voltage V (kV).
  void checkCovers(float tubeVoltage) const;

  // Stopping power at electron kinetic energy T (keV), 0 < T <= the last table energy
  // (beyond it the last two rows are extended).
  float at(float electronEnergy) const;

 private:
  engine::StoppingPowerTable table_;
  // The table's logarithms, taken once; the same floats as taking them at every use.
  std::array<float, engine::kStoppingPowerRows> logEnergy_{};
  std::array<float, engine::kStoppingPowerRows> logStoppingPower_{};
};

}  // namespace dornic
