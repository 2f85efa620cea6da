#include "palvane/physics/exports.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "palvane/physics/csv_text.h"
#include "text_files/atomic_file.h"
#include "text_files/file_error.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

constexpr double kMillimetresPerCentimetre = 10.0;
// The map fields of result.dat carry four significant digits.
constexpr int kMapDigits = 4;

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

// The value with at most `digits` significant digits, without trailing zeros; the
// conversion ignores the locale.
std::string significant(double value, int digits) {
  char text[40];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
  return std::string(text, end.ptr);
}

std::string commentLine(const std::string& name, const std::string& value) {
  return "# " + name + ": " + value + std::string(kCsvLineEnd);
}

std::string millimetres(double centimetres, const std::string& what) {
  return finiteNumber(kMillimetresPerCentimetre * centimetres, what);
}

// Lines for the added layers only where there are some, so that other files stay as
// they were.
std::string layerComments(const AddedLayers& layers) {
  std::string text;
  if (const std::string filters = filtersCaption(layers); !filters.empty()) {
    text += commentLine("Added filters", filters);
  }
  if (const std::string plate = plateCaption(layers); !plate.empty()) {
    text += commentLine("Compression plate", plate);
  }
  return text;
}

std::string settingsComments(const TubeSetup& setup) {
  return commentLine("Target", setup.target == Target::kMolybdenum ? "molybdenum" : "tungsten") +
         commentLine("Tube voltage (kV)", finiteNumber(setup.tubeVoltage, "The tube voltage")) +
         commentLine("Target angle (deg)", finiteNumber(setup.targetAngle, "The target angle")) +
         commentLine("Tilt angle (deg)", finiteNumber(setup.tiltAngle, "The tilt angle")) +
         commentLine("Beryllium (mm)", finiteNumber(setup.beryllium, "The beryllium thickness")) +
         commentLine("Aluminium (mm)", finiteNumber(setup.aluminium, "The aluminium thickness")) +
         commentLine("Molybdenum filter (mm)",
                     finiteNumber(setup.molybdenum, "The molybdenum thickness")) +
         commentLine("Rhodium filter (mm)", finiteNumber(setup.rhodium, "The rhodium thickness")) +
         commentLine("Air layer (cm)", finiteNumber(setup.airLayer, "The air layer")) +
         layerComments(addedLayersOf(setup));
}

std::string referenceComments(const std::optional<EngineReferences>& references) {
  if (!references) return {};
  return commentLine("Reference energy fluence (model units)",
                     finiteNumber(references->energyFluence, "The reference energy fluence")) +
         commentLine("Reference air kerma (model units)",
                     finiteNumber(references->airKerma, "The reference air kerma")) +
         commentLine("Reference Al HVL (mm)", finiteNumber(references->hvl, "The reference HVL"));
}

// The beam-quality figures as the read-outs show them; empty where one is not known.
struct QualityTexts {
  std::string meanEnergy, firstHvl, secondHvl, homogeneity, relativeKerma, absoluteKerma;
};

QualityTexts qualityTexts(const SpectrumExportSettings& settings) {
  QualityTexts texts;
  if (const auto& quality = settings.quality) {
    texts.meanEnergy = PatternFormat(quality->meanEnergy, kMeanEnergyPattern);
    texts.firstHvl = PatternFormat(quality->firstHvl, kHvlPattern);
    texts.secondHvl = PatternFormat(quality->secondHvl, kHvlPattern);
    texts.homogeneity = PatternFormat(quality->homogeneity, kHomogeneityPattern);
    if (const auto percent = relativeAirKermaPercent(*quality, settings.axisAirKerma)) {
      texts.relativeKerma = PatternFormat(*percent, kRelativeKermaPattern);
    }
  }
  if (settings.absoluteAirKerma && std::isfinite(*settings.absoluteAirKerma)) {
    texts.absoluteKerma = significant(*settings.absoluteAirKerma, kMapDigits);
  }
  return texts;
}

std::string qualityComments(const SpectrumExportSettings& settings) {
  if (!settings.quality) return commentLine("Beam quality", "not defined");
  const QualityTexts texts = qualityTexts(settings);
  std::string comments = commentLine("Mean energy (keV)", texts.meanEnergy) +
                         commentLine("HVL1 (mm Al)", texts.firstHvl) +
                         commentLine("HVL2 (mm Al)", texts.secondHvl) +
                         commentLine("Homogeneity coefficient", texts.homogeneity);
  if (!texts.relativeKerma.empty()) {
    comments += commentLine("Relative air kerma (%)", texts.relativeKerma);
  }
  if (!texts.absoluteKerma.empty()) {
    comments += commentLine("Absolute air kerma (uGy/mAs)", texts.absoluteKerma);
  }
  return comments;
}

std::string relativePercent(double relative, const std::string& what) {
  if (!std::isfinite(100.0 * relative)) throw ExportError(what + " is not a finite number");
  return relativePercentText(relative);
}

std::string absoluteHvl(double relative, double axisHvl, const std::string& what) {
  if (!std::isfinite(axisHvl * relative)) throw ExportError(what + " is not a finite number");
  return absoluteHvlText(relative, axisHvl);
}

double referenceHvl(const ExportStamp& stamp) {
  const double hvl = stamp.references ? stamp.references->hvl : 0.0;
  if (!(hvl > 0.0 && std::isfinite(hvl))) {
    throw ExportError("the beam-axis HVL is not a positive number");
  }
  return hvl;
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
    case MapQuantity::kAbsoluteAirKerma:
      return "absolute_air_kerma";
  }
  return "map";
}

const char* mapQuantityName(MapQuantity quantity) {
  switch (quantity) {
    case MapQuantity::kEnergyFluence:
      return "Relative energy fluence";
    case MapQuantity::kAirKerma:
      return "Relative air kerma";
    case MapQuantity::kHvl:
      return "Relative Al HVL";
    case MapQuantity::kAbsoluteAirKerma:
      return "Absolute air kerma";
  }
  return "Relative value";
}

std::string relativePercentText(double relative) {
  return significant(100.0 * relative, kMapDigits);
}

std::string absoluteHvlText(double relative, double axisHvl) {
  return significant(axisHvl * relative, kMapDigits);
}

std::string headerComments(const ExportStamp& stamp, const TubeSetup& settings) {
  std::string text = "# " + stamp.program + std::string(kCsvLineEnd) +
                     commentLine("Saved", stamp.savedAt) + settingsComments(settings) +
                     referenceComments(stamp.references);
  for (const std::string& line : stamp.calibration) text += commentLine("Calibration", line);
  return text;
}

std::string mapCsv(const FieldMap& map, MapQuantity quantity, const ExportStamp& stamp,
                   const TubeSetup& settings) {
  const bool withHvl = quantity == MapQuantity::kHvl;
  const double axisHvl = withHvl ? referenceHvl(stamp) : 0.0;
  const std::string name = mapQuantityName(quantity);
  std::vector<std::string> header = {"X (mm)", "Y (mm)", name + " (%)"};
  if (withHvl) header.push_back("Al HVL (mm)");
  std::string text = headerComments(stamp, settings) + csvLine(header);
  for (int j = 1; j <= kLastMapRow; ++j) {
    for (int i = 1; i <= kLastMapColumn; ++i) {
      const double relative = map[i][j];
      // Beyond the heel cut-off the engine computes no HVL and writes 0: an empty cell.
      const bool noHvl = withHvl && relative == 0.0;
      std::vector<std::string> fields = {
          gridMillimetres(i), gridMillimetres(j),
          noHvl ? std::string() : relativePercent(relative, name + " at " + gridPoint(i, j))};
      if (withHvl) {
        fields.push_back(noHvl ? std::string()
                               : absoluteHvl(relative, axisHvl, "Al HVL at " + gridPoint(i, j)));
      }
      text += csvLine(fields);
    }
  }
  return text;
}

std::string absoluteKermaMapCsv(const FieldMap& kerma, double referenceKerma,
                                const ExportStamp& stamp, const TubeSetup& settings) {
  std::string text = headerComments(stamp, settings) +
                     commentLine("Reference air kerma (uGy/mAs)",
                                 finiteNumber(referenceKerma, "The reference air kerma")) +
                     csvLine({"X (mm)", "Y (mm)", "Air kerma (uGy/mAs)"});
  for (int j = 1; j <= kLastMapRow; ++j) {
    for (int i = 1; i <= kLastMapColumn; ++i) {
      text +=
          csvLine({gridMillimetres(i), gridMillimetres(j),
                   absoluteHvl(kerma[i][j], referenceKerma, "Air kerma at " + gridPoint(i, j))});
    }
  }
  return text;
}

std::string profilesCsv(const FieldMap& fluence, const FieldMap& kerma, const FieldMap& hvl,
                        const ExportStamp& stamp, const TubeSetup& settings) {
  const double axisHvl = referenceHvl(stamp);
  std::string text = headerComments(stamp, settings) +
                     csvLine({"X (mm)", "Relative energy fluence (%)", "Relative air kerma (%)",
                              "Relative Al HVL (%)", "Al HVL (mm)"});
  for (int i = 1; i <= kLastMapColumn; ++i) {
    const std::string at = " at " + gridPoint(i, 1);
    const bool noHvl = hvl[i][1] == 0.0;  // beyond the heel cut-off: empty cells
    text += csvLine({gridMillimetres(i), relativePercent(fluence[i][1], "Energy fluence" + at),
                     relativePercent(kerma[i][1], "Air kerma" + at),
                     noHvl ? std::string() : relativePercent(hvl[i][1], "Al HVL" + at),
                     noHvl ? std::string() : absoluteHvl(hvl[i][1], axisHvl, "Al HVL" + at)});
  }
  return text;
}

std::string spectrumCsv(const BinArray& spectrum, double normaliser,
                        const SpectrumExportSettings& settings, const ExportStamp& stamp) {
  if (!(normaliser > 0.0 && std::isfinite(normaliser))) {
    throw ExportError("the spectrum has no positive peak to scale by");
  }
  std::string text = headerComments(stamp, settings.setup);
  text += commentLine("Point X (mm)", millimetres(settings.pointX, "The point's X")) +
          commentLine("Point Y (mm)", millimetres(settings.pointY, "The point's Y")) +
          commentLine("Photons per bin at 100 %", csvNumber(normaliser)) +
          qualityComments(settings);
  text += csvLine({"Energy (keV)", "Relative photon fluence (%)"});
  for (int i = 1; i <= kLastBin; ++i) {
    const std::string energy = csvNumber(0.2 * i);
    text += csvLine({energy, finiteNumber(100.0 * spectrum[i] / normaliser,
                                          "The spectrum at " + energy + " keV")});
  }
  return text;
}

std::string summaryCsv(const std::vector<SummaryRow>& rows, const ExportStamp& stamp,
                       const TubeSetup& settings) {
  std::string text = headerComments(stamp, settings) +
                     csvLine({"File", "Point X (mm)", "Point Y (mm)", "Mean energy (keV)",
                              "HVL1 (mm Al)", "HVL2 (mm Al)", "Homogeneity coefficient",
                              "Relative air kerma (%)", "Absolute air kerma (uGy/mAs)"});
  for (const SummaryRow& row : rows) {
    const QualityTexts texts = qualityTexts(row.settings);
    text += csvLine({row.file, millimetres(row.settings.pointX, "The point's X"),
                     millimetres(row.settings.pointY, "The point's Y"), texts.meanEnergy,
                     texts.firstHvl, texts.secondHvl, texts.homogeneity, texts.relativeKerma,
                     texts.absoluteKerma});
  }
  return text;
}

void writeExportFile(const std::filesystem::path& file, const std::function<std::string()>& build) {
  std::string text;
  try {
    text = build();
  } catch (const ExportError& error) {
    throw unwritableExport(file, error.what());
  }
  replaceFileContents(file, text);
}

FileError unwritableExport(const std::filesystem::path& file, const std::string& reason) {
  return FileError(file.string() + ": cannot be written (" + reason + ")");
}

}  // namespace palvane
