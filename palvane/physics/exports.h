#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "palvane/physics/beam_quality.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/shared_state.h"
#include "text_files/file_error.h"

namespace palvane {

// CSV exports of the field maps, their profiles and photon spectra: UTF-8 text, commas
// between fields, a full stop as decimal point whatever the locale, CR LF line ends, a
// block of '#' comment lines stating the program, the date and the settings, then one
// header line that names every column with its unit. Relative values are in percent.

// Data that a CSV export cannot hold (NaN or infinity, no positive normaliser); what()
// says which value.
class ExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Which of the three relative field maps is exported, or the air-kerma map on the absolute
// scale of a measured output.
enum class MapQuantity { kEnergyFluence, kAirKerma, kHvl, kAbsoluteAirKerma };

// The quantity's name in export file names: energy_fluence, air_kerma or hvl.
const char* mapQuantityFileTag(MapQuantity quantity);
// The quantity's name in headers and captions: "Relative energy fluence", ...
const char* mapQuantityName(MapQuantity quantity);

// The reference values of an engine run (the beam-axis values the maps are relative to).
struct EngineReferences {
  double energyFluence = 0.0;  // model units: sum of photon energy in keV times photons
  double airKerma = 0.0;       // model units: the same weighted by the air's energy absorption
  double hvl = 0.0;            // mm of aluminium
};

// What every file of an export states first: the program and the date of the save, the
// reference values of the engine run when results are shown, and the calibration state
// (calibrationLines) where it is known.
struct ExportStamp {
  std::string program;  // name and version, "Palvane 1.0"
  std::string savedAt;  // date and time, "2026-12-08 14:32"
  std::optional<EngineReferences> references;
  std::vector<std::string> calibration;  // one "# Calibration: ..." line each
};

// What a spectrum export states about the computation in its comment lines.
struct SpectrumExportSettings {
  // The set-up as the computation used it, with the air layer the spectrum crossed.
  TubeSetup setup;
  double pointX = 0.0;  // cm along the anode-cathode axis
  double pointY = 0.0;  // cm across it
  // The beam quality; nullopt where it is not defined.
  std::optional<BeamQuality> quality;
  // The air kerma of the beam-axis spectrum of the same settings, in the units of
  // BeamQuality::airKerma; nullopt where none is known.
  std::optional<double> axisAirKerma;
  // The absolute air kerma in uGy/mAs where an output calibration exists.
  std::optional<double> absoluteAirKerma;
};

// The relative value v (1 on the beam axis) in percent with the four significant digits
// that the engine's map fields carry: 0.9987 gives 99.87.
std::string relativePercentText(double relative);
// The absolute HVL in mm of a relative HVL times the beam-axis HVL, with the four
// significant digits of the relative value: 1.001 times 0.48922 gives 0.4897.
std::string absoluteHvlText(double relative, double axisHvl);

// The comment lines that open every export: program, date, target, tube, filters, air
// layer and, when known, the reference values. Throws ExportError for a setting that is
// not finite.
std::string headerComments(const ExportStamp& stamp, const TubeSetup& settings);

// The header block, then one line per grid point (Y outer, X inner, as in result.dat):
// X in mm, Y in mm, the relative value in percent and, for the HVL map, the HVL in mm of
// aluminium. Throws ExportError for a value that is not finite, or for the HVL map
// without a positive, finite reference HVL.
std::string mapCsv(const FieldMap& map, MapQuantity quantity, const ExportStamp& stamp,
                   const TubeSetup& settings);

// The header block, then one line per grid point as mapCsv: X in mm, Y in mm and the air
// kerma in uGy/mAs, the relative air kerma times the reference kerma, with four
// significant digits. Throws ExportError for a value that is not finite.
std::string absoluteKermaMapCsv(const FieldMap& kerma, double referenceKerma,
                                const ExportStamp& stamp, const TubeSetup& settings);

// The header block, then the map rows on the X axis (Y = 0) of the three quantities:
// X in mm and each relative value in percent. Throws ExportError for a value that is not
// finite.
std::string profilesCsv(const FieldMap& fluence, const FieldMap& kerma, const FieldMap& hvl,
                        const ExportStamp& stamp, const TubeSetup& settings);

// The header block of the spectrum's own settings and point, its normaliser and its beam
// quality, then the header and one line per bin 1..250: photon energy in keV and the
// spectrum in percent of the normaliser. Throws ExportError when the normaliser is not
// positive and finite or a value is not finite.
std::string spectrumCsv(const BinArray& spectrum, double normaliser,
                        const SpectrumExportSettings& settings, const ExportStamp& stamp);

// One spectrum of a summary: its file and what its header states.
struct SummaryRow {
  std::string file;
  SpectrumExportSettings settings;
};

// The header block of the run, then one line per spectrum: file, point, mean energy,
// HVL1, HVL2, homogeneity coefficient, relative and absolute air kerma, each as the
// read-outs show it; a figure that is not known is an empty field.
std::string summaryCsv(const std::vector<SummaryRow>& rows, const ExportStamp& stamp,
                       const TubeSetup& settings);

// Build the export, then write it to a temporary file beside `file` and rename it over
// `file`. Throw FileError naming the file, for a failed write or for data the export
// cannot hold; an existing file is then left as it was.
void writeExportFile(const std::filesystem::path& file, const std::function<std::string()>& build);

// The error of an export to `file` whose data cannot be written for `reason` (an
// ExportError's what()): "<file>: cannot be written (<reason>)".
FileError unwritableExport(const std::filesystem::path& file, const std::string& reason);

}  // namespace palvane
