#pragma once

#include <array>

#include "palvane/state/shared_state.h"

namespace palvane {

// The stopping power of molybdenum from the 20 rows of MoStp, interpolated linearly in
// log-log between neighbouring rows. The logarithms of the rows are taken once here, so
// that each look-up takes only the logarithm of the electron energy.
class MolybdenumStoppingPower {
 public:
  explicit MolybdenumStoppingPower(const StoppingPowerArray& MoStp);

  // True when every electron energy from 1 keV up to the tube voltage V (kV) lies within
  // the table, so that the interpolation always has a row below and above.
  bool covers(double V) const;

  // Stopping power at electron energy T in keV: row 1's value up to 1 keV. searchRow is
  // where the row search starts: 1 for the first look-up of a run of rising energies,
  // then left as this call set it (rows passed for a lower energy are passed again).
  double at(double T, int& searchRow) const;

 private:
  std::array<double, kStoppingPowerRows + 1> energy_{};
  std::array<double, kStoppingPowerRows + 1> logEnergy_{};
  std::array<double, kStoppingPowerRows + 1> logPower_{};
  double firstRowPower_ = 0.0;
};

}  // namespace palvane
