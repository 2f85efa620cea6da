#pragma once

#include <array>

namespace engine {

// Photon energy bins: bin i (1..250) stands for 0.2 * i keV. Index 0 is unused so
// that the code reads like the physics (bin i, not bin i - 1).
inline constexpr int kBinCount = 250;
inline constexpr float kEnergyStep = 0.2f;  // keV, for photon bins and electron energies

using Spectrum = std::array<float, kBinCount + 1>;

// Photon energy of bin i in keV: the single-precision product of i and 0.2.
inline float binEnergy(int bin) { return static_cast<float>(bin) * kEnergyStep; }

// Highest bin that carries radiation for tube voltage V (kV): trunc(5 * V) with the
// product carried wider than single precision, so 28.4 kV (held as 28.39999...)
// gives 141 and not 142.
inline int highestBin(float tubeVoltage) {
  return static_cast<int>(5.0 * static_cast<double>(tubeVoltage));
}

// Field grid in the image plane, 65 cm from the focal spot.
inline constexpr int kColumnCount = 76;  // X_j = 0.2 (j - 1) cm, j = 1..76, toward the heel
inline constexpr int kRowCount = 51;     // Y_k = 0.2 (k - 1) cm, k = 1..51
inline constexpr float kFocusToPlane = 65.0f;      // cm
inline constexpr float kFocusToPlaneSquared = 4225.0f;

// The positions are a table of the decimals 0.0, 0.2, ..., each held as the nearest
// float (the float product 0.2f * n lands one step above it at some positions).
inline float gridX(int column) { return static_cast<float>((column - 1) / 5.0); }
inline float gridY(int row) { return static_cast<float>((row - 1) / 5.0); }

// Degrees-to-radians conversions of all three programs use this five-decimal value.
inline constexpr float kPi = 3.14159f;

}  // namespace engine
