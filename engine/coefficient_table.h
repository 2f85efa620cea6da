#pragma once

#include <array>

#include "engine/bins.h"

namespace engine {

using BinColumn = std::array<float, kBinCount + 1>;  // indexed by bin 1..250

// The columns of MUs3.dat that the engines use; linear coefficients per cm.
struct CoefficientTable {
  BinColumn muMo{};     // column 2, molybdenum
  BinColumn muRh{};     // column 3, rhodium
  BinColumn muAl{};     // column 4, aluminium
  BinColumn muBe{};     // column 5, beryllium
  BinColumn muAir{};    // column 7, air
  BinColumn muEnAir{};  // column 8, energy absorption of air (kerma weight)
  BinColumn muW{};      // column 10, tungsten (kept by the tungsten engine only)
};

inline constexpr int kStoppingPowerRows = 20;

// Mo-STP.dat: electron kinetic energy (keV) and stopping power of molybdenum, in file order.
struct StoppingPowerTable {
  std::array<float, kStoppingPowerRows> energy{};
  std::array<float, kStoppingPowerRows> stoppingPower{};
};

}  // namespace engine
