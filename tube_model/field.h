#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/point_quantities.h"
#include "tube_model/tables.h"

namespace tube_model {

// The field grid of the image plane 65 cm below the focal spot: column c = 0..75 at
// X = 2 c mm along the anode-cathode axis (toward the heel), row r = 0..50 at Y = 2 r mm
// across it. The reference point (0, 0) is on the beam axis.
inline constexpr int kColumns = 76;
inline constexpr int kRows = 51;
inline constexpr double kGridStepMm = 2.0;

// A map over the grid, single precision as the engines compute it; element (c, r) at
// r * kColumns + c (X varies fastest, as in Result.dat).
using FieldMap = std::array<float, kColumns * kRows>;
inline float mapValue(const FieldMap& map, int column, int row) {
  return map[static_cast<std::size_t>(row * kColumns + column)];
}

// Photon energy bins: bin i = 1..250 at 0.2 i keV; index 0 is unused and 0.
inline constexpr int kBins = 250;
using BinValues = std::array<float, kBins + 1>;
inline double binEnergyKeV(int bin) { return 0.2 * bin; }

// What the engines derive from one point spectrum (single precision, table units): the
// largest bin, photon fluence, energy fluence, air kerma and aluminium half-value layer in
// mm, and whether that layer was found. The engines' own type, so that their values pass
// unconverted.
using PointSums = engine::PointQuantities;

// The beam axis as Beam_Axis.dat records it: the point spectrum at (0, 0) and its sums.
struct BeamAxis {
  BinValues spectrum{};  // photons per bin; bins above N are 0
  PointSums sums;
};

// One engine run without files: the three maps relative to the reference point with
// their reference values, the beam axis and the warnings the engine prints.
struct FieldResult {
  palvane::TubeSetup setup;
  FieldMap energyFluence{};  // relative to energyFluenceReference
  FieldMap airKerma{};       // relative to airKermaReference
  FieldMap hvl{};            // relative to hvlReference
  float energyFluenceReference = 0;
  float airKermaReference = 0;
  float hvlReference = 0;  // mm of aluminium
  // None when the beam axis lies beyond the heel cut-off (theta + phi below 0): the maps
  // are then 0 and no Beam_Axis.dat is written.
  std::optional<BeamAxis> beamAxis;
  std::vector<std::string> warnings;  // one line each, without line ends
};

// Computes the field as the engine of the set-up's target computes it from the B2F.dat
// that palvane would write for the set-up (each number rounded to its pattern). Throws
// ModelError for a set-up out of its fields' ranges, one the engine refuses (with the
// engine's message), or a molybdenum target without its table. Thread-safe.
FieldResult computeField(const palvane::TubeSetup& setup, const Tables& tables);

// A value as the engines' files state it, rounded to its field's significant digits:
// kReferenceDigits for the reference values of Result.dat and the sums of Beam_Axis.dat,
// kMapDigits for the map values.
inline constexpr int kReferenceDigits = 5;
inline constexpr int kMapDigits = 4;
double writtenValue(float value, int significantDigits);

// The exact texts of the files the engine writes for the result (CR LF line ends):
// Beam_Axis.dat (empty without a beam axis) and Result.dat.
std::string beamAxisText(const FieldResult& result);
std::string resultText(const FieldResult& result);

}  // namespace tube_model
