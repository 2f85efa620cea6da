#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>

#include "palvane/state/form_ports.h"
#include "text_files/field_grid.h"
#include "text_files/tube_setup.h"

namespace palvane {

// Energy bins 0..250: bin i stands for 0.2 * i keV; bin 0 exists but is never filled.
inline constexpr int kLastBin = 250;
// Rows 1..20 of the molybdenum stopping-power table; row 0 is never filled.
inline constexpr int kStoppingPowerRows = 20;

using BinArray = std::array<double, kLastBin + 1>;
// MoStp[0][n]: electron energy of row n in keV; MoStp[1][n]: stopping power there.
using StoppingPowerArray = std::array<std::array<double, kStoppingPowerRows + 1>, 2>;
// Materials.dat: attenuation coefficients per cm by bin, by material key ("ag", "pmma").
using MaterialColumns = std::map<std::string, BinArray, std::less<>>;

// The tables of palvane's model as a value: the columns of MUs3.dat by bin, the
// molybdenum stopping powers and Pi. The model's functions take them as an argument;
// LoadTables reads them into a value first and then into the shared state.
struct ModelTables {
  double Pi = 0.0;  // 3.14159 once the tables are loaded
  BinArray MuMo{};  // linear attenuation coefficients per cm, by bin
  BinArray MuRh{};
  BinArray MuBe{};
  BinArray MuAl{};
  BinArray MuAir{};
  BinArray MuW{};
  // Column 8 of MUs3.dat: mass energy-absorption coefficient of air, cm^2/g, by bin. The
  // air-kerma weight of the beam-quality read-outs.
  BinArray MuEnAir{};
  StoppingPowerArray MoStp{};
  // The materials of added filters and plates; empty, with the reason in MaterialsProblem,
  // when Materials.dat cannot be read (only added layers need it).
  MaterialColumns Materials;
  std::string MaterialsProblem;
};

// The process-wide variables through which the forms and the computations exchange data:
// the tables and what the specified routines share. They keep the product's names.
// Everything starts at zero.
struct SharedState : ModelTables {
  int PointMode = 0;  // 0: spectrum on the beam axis; 1: at (PointX, PointY)
  BinArray TargetSpectrum{};
  BinArray Spectrum{};
  double SpectrumMax = 0.0;
  BinArray AxisSpectrum{};  // relative beam-axis spectrum read back from B_SPCTL.dat
  double AxisHvl = 0.0;     // aluminium HVL on the beam axis, mm
  int TargetType = 0;       // 0: molybdenum; 1: tungsten
  FieldMap FluenceMap{};
  FieldMap KermaMap{};
  FieldMap HvlMap{};
  double AxisSpectrumMax = 0.0;  // peak of the last beam-axis spectrum
  // The beam-axis energy fluence and air kerma of the engine run (model units), the
  // references of FluenceMap and KermaMap as result.dat states them.
  double ReferenceFluence = 0.0;
  double ReferenceKerma = 0.0;
  FieldMap DisplayMap{};
  double PointX = 0.0;  // cm along the anode-cathode axis
  double PointY = 0.0;  // cm across it

  // Air kerma of the last beam-axis spectrum (sum of MuEnAir * photons * keV; 0 while none
  // is known), and the target and settings it was computed with, as the spectrum form's
  // boxes read. Picked points of the same settings show their air kerma relative to it.
  double AxisAirKerma = 0.0;
  TubeSetup AxisAirKermaSettings{};

  FormPorts ports;
};

// The one instance, shared by the whole program.
SharedState& state();

}  // namespace palvane
