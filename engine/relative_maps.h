#pragma once

#include <array>

#include "engine/bins.h"

namespace engine {

// The three maps of Result.dat, relative to the reference point, with their reference
// values. Element (j, k) of a map is at index mapIndex(j, k): X varies fastest.
struct RelativeMaps {
  using Map = std::array<float, kColumnCount * kRowCount>;
  float fluenceReference = 0;
  float kermaReference = 0;
  float hvlReference = 0;  // mm
  Map fluence{};
  Map kerma{};
  Map hvl{};
};

inline int mapIndex(int column, int row) { return (row - 1) * kColumnCount + (column - 1); }

}  // namespace engine
