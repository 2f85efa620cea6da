#include "palvane/physics/stopping_power.h"

#include <cmath>

namespace palvane {

MolybdenumStoppingPower::MolybdenumStoppingPower(const StoppingPowerArray& MoStp)
    : firstRowPower_(MoStp[1][1]) {
  for (int row = 1; row <= kStoppingPowerRows; ++row) {
    energy_[row] = MoStp[0][row];
    logEnergy_[row] = std::log(MoStp[0][row]);
    logPower_[row] = std::log(MoStp[1][row]);
  }
}

bool MolybdenumStoppingPower::covers(double V) const {
  return V <= 1.0 || (energy_[1] <= 1.0 && energy_[kStoppingPowerRows] >= V);
}

double MolybdenumStoppingPower::at(double T, int& searchRow) const {
  if (T <= 1.0) return firstRowPower_;
  int j = searchRow;
  while (T > energy_[j]) ++j;
  searchRow = j;
  const double logT = std::log(T);
  const double logS = logPower_[j] - (logPower_[j] - logPower_[j - 1]) * (logEnergy_[j] - logT) /
                                         (logEnergy_[j] - logEnergy_[j - 1]);
  return std::exp(logS);
}

}  // namespace palvane
