#include "dornic/stopping_power.h"

#include <cfloat>
#include <cmath>
#include <string>

#include "engine/input_error.h"
#include "engine/message_number.h"
#include "engine/single_exp.h"
#include "engine/single_functions.h"

namespace dornic {

namespace {

constexpr float kFirstRowLimit = 1.0f;        // keV: up to here the first row's value holds
constexpr float kHighestTubeVoltage = 50.0f;  // kV: the table must reach it

[[noreturn]] void reject(int row, const std::string& what) {
  throw engine::InputError(engine::describeInputError("Mo-STP.dat", row + 1, 0, what));
}

}  // namespace

StoppingPowerInterpolation::StoppingPowerInterpolation(const engine::StoppingPowerTable& table)
    : table_(table) {
  if (!(table.energy[0] <= kFirstRowLimit)) {
    reject(0, "the first electron energy " + engine::messageNumber(table.energy[0]) +
                  " keV must be 1.0 keV or below");
  }
  for (int row = 0; row < engine::kStoppingPowerRows; ++row) {
    const float energy = table.energy[row];
    const float stoppingPower = table.stoppingPower[row];
    if (!(energy > 0.0f)) {
      reject(row, "electron energy " + engine::messageNumber(energy) + " keV is not positive");
    }
    if (!(stoppingPower > 0.0f)) {
      reject(row, "stopping power " + engine::messageNumber(stoppingPower) + " is not positive");
    }
    // The spectrum is divided by it; below the normal range its reciprocal overflows.
    if (!(stoppingPower >= FLT_MIN)) {
      reject(row, "stopping power " + engine::messageNumber(stoppingPower) +
                      " is too small to divide by (at least " + engine::messageNumber(FLT_MIN) +
                      ")");
    }
    logEnergy_[row] = engine::logSingle(energy);
    logStoppingPower_[row] = engine::logSingle(stoppingPower);
    // Equal logarithms of neighbouring energies would divide by zero in the interpolation.
    if (row > 0 && !(logEnergy_[row] > logEnergy_[row - 1])) {
      reject(row, "electron energies must ascend strictly");
    }
  }
}

void StoppingPowerInterpolation::checkCovers(float tubeVoltage) const {
  const int last = engine::kStoppingPowerRows - 1;
  if (table_.energy[last] >= tubeVoltage) return;
  // A table that reaches the highest tube voltage of the model is not at fault.
  if (table_.energy[last] >= kHighestTubeVoltage) {
    throw engine::InputError(engine::describeInputError(
        "B2F.dat", 2, 0,
        "tube voltage " + engine::messageNumber(tubeVoltage) + " kV is above the " +
            engine::messageNumber(kHighestTubeVoltage) +
            " kV the model is made for (Mo-STP.dat reaches " +
            engine::messageNumber(table_.energy[last]) + " keV)"));
  }
  reject(last, "the last electron energy " + engine::messageNumber(table_.energy[last]) +
                   " keV is below the tube voltage " + engine::messageNumber(tubeVoltage) + " kV");
}

float StoppingPowerInterpolation::at(float electronEnergy) const {
  if (electronEnergy <= kFirstRowLimit) return table_.stoppingPower[0];
  // checkCovers keeps T within the table; the bound only guards the array.
  int r = 0;
  while (r < engine::kStoppingPowerRows - 1 && table_.energy[r] < electronEnergy) ++r;
  const float logT = engine::logSingle(electronEnergy);
  const float logS = logStoppingPower_[r] - (logEnergy_[r] - logT) /
                                                (logEnergy_[r] - logEnergy_[r - 1]) *
                                                (logStoppingPower_[r] - logStoppingPower_[r - 1]);
  return engine::expSingle(logS);
}

}  // namespace dornic
