#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "measured_spectra/model_beams.h"

namespace measured {

// A series of beams of one anode and added filter, and the tube voltage at which the
// model's aluminium is fitted to the measured first HVL.
struct Series {
  Anode anode = Anode::kMolybdenum;
  double molybdenum = 0.0;  // mm
  double rhodium = 0.0;     // mm
  std::vector<double> tubeVoltages;
  double fitVoltage = 0.0;
  std::optional<palvane::AddedLayer> addedFilter;  // of a material of Materials.dat
};

// The series of the comparison: the molybdenum anode without a filter, with 0.03 mm Mo,
// 0.025 mm Rh and 0.06 mm Mo at 25, 28, 31 and 35 kV (fitted at 28 kV), the tungsten
// anode with 0.05 mm Rh, 0.05 mm Ag and 0.7 mm Al at 25, 30, 35, 40 and 49 kV (fitted
// at 30 kV).
const std::vector<Series>& comparedSeries();

// The measured spectrum of the beam: the catalogue's file for its anode and tube voltage
// under `catalogue`, on the model's bins, behind the beam's added filter.
palvane::BinArray measuredSpectrum(const ModelBeams& beams, const std::filesystem::path& catalogue,
                                   const Beam& beam);

// One tube voltage of a series: the beam quality of the measured spectrum and of the
// model's, without aluminium and with the fitted aluminium as run.
struct ComparedBeam {
  double tubeVoltage = 0.0;
  palvane::BeamQuality measured;
  palvane::BeamQuality model;
  std::optional<palvane::BeamQuality> calibrated;
  double engineHvl = 0.0;  // the engine's own HVL of the model's spectrum, mm
};

struct ComparedSeries {
  Series series;
  std::optional<double> fittedAluminium;  // mm, to 0.001 mm; empty when no thickness fits
  double aluminiumAsRun = 0.0;            // mm, to 0.01 mm as B2F.dat carries it
  std::string fitFailure;
  std::vector<ComparedBeam> beams;
};

// Computes a series. Throws std::runtime_error naming the file or beam that fails.
ComparedSeries compareSeries(const ModelBeams& beams, const std::filesystem::path& catalogue,
                             const Series& series);

// The filter of a series as the tables write it: "0.03 mm Mo", "0.025 mm Rh" or "none".
std::string filterName(const Series& series);

}  // namespace measured
