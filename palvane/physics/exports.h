#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "palvane/physics/tube_settings.h"
#include "palvane/state/shared_state.h"

namespace palvane {

// CSV exports of the field maps, their profile and a photon spectrum: UTF-8 text, commas
// between fields, a full stop as decimal point whatever the locale, CR LF line ends and
// one header line that names every column with its unit.

// Data that a CSV export cannot hold (NaN or infinity, no positive normaliser); what()
// says which value.
class ExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Which of the three relative field maps is exported.
enum class MapQuantity { kEnergyFluence, kAirKerma, kHvl };

// The quantity's name in export file names: energy_fluence, air_kerma or hvl.
const char* mapQuantityFileTag(MapQuantity quantity);

// What a spectrum export states about the computation in its comment lines.
struct SpectrumExportSettings {
  int targetType = 0;   // 0: molybdenum; 1: tungsten
  TubeSettings tube;    // as the computation used them (thicknesses in cm)
  double pointX = 0.0;  // cm along the anode-cathode axis
  double pointY = 0.0;  // cm across it
};

// One line per grid point (Y outer, X inner, as in result.dat): X in mm, Y in mm, the
// relative value (1 on the beam axis) and, for the HVL map, the HVL in mm of aluminium
// (axisHvl in mm times the relative value). Throws ExportError for a value that is not
// finite, or for the HVL map when axisHvl is not a positive finite number.
std::string mapCsv(const FieldMap& map, MapQuantity quantity, double axisHvl);

// The map row on the X axis (Y = 0): X in mm and the relative value in percent.
// Throws ExportError for a value that is not finite.
std::string profileCsv(const FieldMap& map, MapQuantity quantity);

// Comment lines starting with '#' that state the target, tube, filters and point, then the
// header and one line per bin 1..250: photon energy in keV and spectrum / normaliser.
// Throws ExportError when the normaliser is not positive and finite or a value is not
// finite.
std::string spectrumCsv(const BinArray& spectrum, double normaliser,
                        const SpectrumExportSettings& settings);

// Write the export to a temporary file beside `file` and rename it over `file`. Throw
// FileError naming the file, for a failed write or for data the export cannot hold; an
// existing file is then left as it was.
void writeMapCsv(const std::filesystem::path& file, const FieldMap& map, MapQuantity quantity,
                 double axisHvl);
void writeProfileCsv(const std::filesystem::path& file, const FieldMap& map, MapQuantity quantity);
void writeSpectrumCsv(const std::filesystem::path& file, const BinArray& spectrum,
                      double normaliser, const SpectrumExportSettings& settings);

}  // namespace palvane
