#pragma once

#include <array>

namespace palvane {

// The grid of the field maps: column i = 1..76 at X = 0.2 (i - 1) cm along the
// anode-cathode axis (0 to 15 cm), row j = 1..51 at Y = 0.2 (j - 1) cm across it (0 to
// 10 cm). Index 0 of each exists but is never filled.
inline constexpr int kLastMapColumn = 76;
inline constexpr int kLastMapRow = 51;
inline constexpr double kGridStepCm = 0.2;

// A field map indexed [i][j] as above.
using FieldMap = std::array<std::array<double, kLastMapRow + 1>, kLastMapColumn + 1>;

}  // namespace palvane
