#include "palvane/physics/exports.h"

#include <cmath>
#include <vector>

#include "palvane/physics/csv_text.h"
#include "text_files/atomic_file.h"
#include "text_files/file_error.h"

namespace palvane {

namespace {

constexpr double kMillimetresPerCentimetre = 10.0;

const char* quantityName(MapQuantity quantity) {
  switch (quantity) {
    case MapQuantity::kEnergyFluence:
      return "Relative energy fluence";
    case MapQuantity::kAirKerma:
      return "Relative air kerma";
    case MapQuantity::kHvl:
      return "Relative Al HVL";
  }
  return "Relative value";
}

// The grid coordinates of map column i and row j in mm: 2 mm per step from 0.
std::string gridMillimetres(int index) { return csvNumber(2.0 * (index - 1)); }

std::string gridPoint(int i, int j) {
  return "X = " + gridMillimetres(i) + " mm, Y = " + gridMillimetres(j) + " mm";
}

// The value as a CSV number; what names it in the error for NaN or infinity.
std::string finiteNumber(double value, const std::string& what) {
  if (!std::isfinite(value)) throw ExportError(what + " is not a finite number");
  return csvNumber(value);
}

std::string commentLine(const std::string& name, const std::string& value) {
  return "# " + name + ": " + value + std::string(kCsvLineEnd);
}

std::string millimetres(double centimetres, const std::string& what) {
  return finiteNumber(kMillimetresPerCentimetre * centimetres, what);
}

std::string settingsComments(const SpectrumExportSettings& settings, double normaliser) {
  const TubeSettings& tube = settings.tube;
  return commentLine("Target", settings.targetType == 0 ? "molybdenum" : "tungsten") +
         commentLine("Tube voltage (kV)", finiteNumber(tube.tubeVoltage, "The tube voltage")) +
         commentLine("Target angle (deg)", finiteNumber(tube.targetAngle, "The target angle")) +
         commentLine("Tilt angle (deg)", finiteNumber(tube.tiltAngle, "The tilt angle")) +
         commentLine("Beryllium (mm)", millimetres(tube.beryllium, "The beryllium thickness")) +
         commentLine("Aluminium (mm)", millimetres(tube.aluminium, "The aluminium thickness")) +
         commentLine("Molybdenum filter (mm)",
                     millimetres(tube.molybdenum, "The molybdenum thickness")) +
         commentLine("Rhodium filter (mm)", millimetres(tube.rhodium, "The rhodium thickness")) +
         commentLine("Point X (mm)", millimetres(settings.pointX, "The point's X")) +
         commentLine("Point Y (mm)", millimetres(settings.pointY, "The point's Y")) +
         commentLine("Photons per bin at relative fluence 1", csvNumber(normaliser));
}

// Builds the text, then replaces the file with it; every failure names the file.
template <typename BuildText>
void writeExport(const std::filesystem::path& file, BuildText buildText) {
  std::string text;
  try {
    text = buildText();
  } catch (const ExportError& error) {
    throw FileError(file.string() + ": cannot be written (" + error.what() + ")");
  }
  replaceFileContents(file, text);
}

}  // namespace

const char* mapQuantityFileTag(MapQuantity quantity) {
  switch (quantity) {
    case MapQuantity::kEnergyFluence:
      return "energy_fluence";
    case MapQuantity::kAirKerma:
      return "air_kerma";
    case MapQuantity::kHvl:
      return "hvl";
  }
  return "map";
}

std::string mapCsv(const FieldMap& map, MapQuantity quantity, double axisHvl) {
  const bool withHvl = quantity == MapQuantity::kHvl;
  if (withHvl && !(axisHvl > 0.0 && std::isfinite(axisHvl))) {
    throw ExportError("the beam-axis HVL is not a positive number");
  }
  const std::string name = quantityName(quantity);
  std::vector<std::string> header = {"X (mm)", "Y (mm)", name + " (beam axis = 1)"};
  if (withHvl) header.push_back("Al HVL (mm)");
  std::string text = csvLine(header);
  for (int j = 1; j <= kLastMapRow; ++j) {
    for (int i = 1; i <= kLastMapColumn; ++i) {
      const double relative = map[i][j];
      std::vector<std::string> fields = {gridMillimetres(i), gridMillimetres(j),
                                         finiteNumber(relative, name + " at " + gridPoint(i, j))};
      if (withHvl) {
        fields.push_back(finiteNumber(axisHvl * relative, "Al HVL at " + gridPoint(i, j)));
      }
      text += csvLine(fields);
    }
  }
  return text;
}

std::string profileCsv(const FieldMap& map, MapQuantity quantity) {
  const std::string name = quantityName(quantity);
  std::string text = csvLine({"X (mm)", name + " (%)"});
  for (int i = 1; i <= kLastMapColumn; ++i) {
    text += csvLine(
        {gridMillimetres(i), finiteNumber(100.0 * map[i][1], name + " at " + gridPoint(i, 1))});
  }
  return text;
}

std::string spectrumCsv(const BinArray& spectrum, double normaliser,
                        const SpectrumExportSettings& settings) {
  if (!(normaliser > 0.0 && std::isfinite(normaliser))) {
    throw ExportError("the spectrum has no positive peak to scale by");
  }
  std::string text = settingsComments(settings, normaliser);
  text += csvLine({"Energy (keV)", "Relative photon fluence"});
  for (int i = 1; i <= kLastBin; ++i) {
    const std::string energy = csvNumber(0.2 * i);
    text += csvLine(
        {energy, finiteNumber(spectrum[i] / normaliser, "The spectrum at " + energy + " keV")});
  }
  return text;
}

void writeMapCsv(const std::filesystem::path& file, const FieldMap& map, MapQuantity quantity,
                 double axisHvl) {
  writeExport(file, [&] { return mapCsv(map, quantity, axisHvl); });
}

void writeProfileCsv(const std::filesystem::path& file, const FieldMap& map, MapQuantity quantity) {
  writeExport(file, [&] { return profileCsv(map, quantity); });
}

void writeSpectrumCsv(const std::filesystem::path& file, const BinArray& spectrum,
                      double normaliser, const SpectrumExportSettings& settings) {
  writeExport(file, [&] { return spectrumCsv(spectrum, normaliser, settings); });
}

}  // namespace palvane
