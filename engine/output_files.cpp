#include "engine/output_files.h"

#include <cmath>
#include <string>
#include <string_view>

#include "engine/added_layers.h"
#include "engine/atomic_file.h"
#include "engine/numeric_field.h"

namespace engine {

namespace {

constexpr std::string_view kRecordEnd = "\r\n";
constexpr float kCentimetresToMillimetres = 10.0f;

void appendRecord(std::string& text, const std::string& record) {
  text += record;
  text += kRecordEnd;
}

// (E11.5): summary values and the reference values of the maps.
void appendSummary(std::string& text, float value) {
  appendRecord(text, renderExponent(value, 11, 5));
}

// The part of the peak that one bin holds; 0 when the quotient is not a number (peak 0).
float relativeToPeak(float value, float peak) {
  const float relative = value / peak;
  return std::isfinite(relative) ? relative : 0.0f;
}

// A reference value (E11.5) and its map as 51 rows of 76 fields (76E11.4).
void appendMap(std::string& text, float reference, const RelativeMaps::Map& map) {
  appendSummary(text, reference);
  for (int row = 1; row <= kRowCount; ++row) {
    for (int column = 1; column <= kColumnCount; ++column) {
      text += renderExponent(map[mapIndex(column, row)], 11, 4);
    }
    text += kRecordEnd;
  }
}

}  // namespace

std::string beamAxisText(const BeamParameters& parameters, const Spectrum& pointSpectrum,
                         const PointQuantities& quantities) {
  std::string text;
  text.reserve(8192);
  appendRecord(text, renderInteger(parameters.targetCode, 2));
  for (float degreesOrKilovolts :
       {parameters.tubeVoltage, parameters.targetAngle, parameters.tiltAngle}) {
    appendRecord(text, renderFixed(degreesOrKilovolts, 5, 1));
  }
  for (float centimetres :
       {parameters.beryllium, parameters.aluminium, parameters.molybdenum, parameters.rhodium}) {
    appendRecord(text, renderFixed(centimetres * kCentimetresToMillimetres, 6, 3));
  }
  appendRecord(text, renderFixed(parameters.airLayer, 5, 1));
  // (F6.1,2X,F7.5): photon energy in keV and the bin's part of the peak.
  for (int bin = 1; bin <= kBinCount; ++bin) {
    text += renderFixed(binEnergy(bin), 6, 1);
    text += "  ";
    appendRecord(text, renderFixed(relativeToPeak(pointSpectrum[bin], quantities.peak), 7, 5));
  }
  for (float value : {quantities.peak, quantities.photonFluence, quantities.energyFluence,
                      quantities.airKerma, quantities.hvl}) {
    appendSummary(text, value);
  }
  // Added layers follow as B2F.dat names them, thickness (F6.3) in mm; none, no line.
  const auto appendLayer = [&](std::string_view keyword, const AddedLayer& layer) {
    appendRecord(text, std::string(keyword) + " " + layer.material + " " +
                           renderFixed(layer.thickness * kCentimetresToMillimetres, 6, 3));
  };
  for (const AddedLayer& layer : parameters.addedFilters) appendLayer(kFilterKeyword, layer);
  if (parameters.plate) appendLayer(kPlateKeyword, *parameters.plate);
  return text;
}

std::string resultText(const RelativeMaps& maps) {
  std::string text;
  text.reserve(3 * (13 + kRowCount * (kColumnCount * 11 + 2)));
  appendMap(text, maps.fluenceReference, maps.fluence);
  appendMap(text, maps.kermaReference, maps.kerma);
  appendMap(text, maps.hvlReference, maps.hvl);
  return text;
}

}  // namespace engine
