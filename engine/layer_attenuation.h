#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/bins.h"
#include "engine/coefficient_table.h"

namespace engine {

// Transmission exp(-mu(i) * t) of a layer of thickness t (cm) crossed perpendicularly,
// for bins 2..highestBin (the other bins are 0).
BinColumn perpendicularTransmission(const BinColumn& mu, float thickness, int highestBin);

// Product of the transmissions of a stack of layers crossed along a path that changes
// from point to point, in single precision and in stack order:
//   out(i) = ((1 * e_1(i)) * e_2(i)) * ... for bins 2..highestBin.
// A layer of zero thickness transmits exactly 1 and is left out, which changes no value.
// Many field points share a path scale (X and Y swapped, equal X^2 + Y^2), so each
// distinct scale is computed once per run and kept: the same floats, about half the work.
class LayerStack {
 public:
  // How the exponent of a layer is formed from -mu(i), its thickness t and the path
  // scale r of the point: (-mu * t) * r, or (-mu * r) * t.
  enum class Order { kThicknessFirst, kPathFirst };

  explicit LayerStack(int highestBin);

  void add(const BinColumn& mu, float thickness, Order order);

  // Transmission of the stack for path scale r, bins 2..highestBin (the others 0). The
  // reference stays valid for the life of the stack.
  const BinColumn& transmission(float pathScale);

 private:
  struct Layer {
    BinColumn coefficient;  // -mu, or -mu * t for kThicknessFirst
    float trailingFactor;   // t, or 1 (exact) for kThicknessFirst
  };
  int highestBin_;
  std::vector<Layer> layers_;
  std::unordered_map<std::uint32_t, BinColumn> transmissionByScale_;  // key: bits of r
  BinColumn exponents_{};
  BinColumn factors_{};
};

}  // namespace engine
