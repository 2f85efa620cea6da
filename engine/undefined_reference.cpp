#include "engine/undefined_reference.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include "engine/bins.h"
#include "engine/field_computation.h"
#include "engine/message_number.h"

namespace engine {

namespace {

// A thickness held in cm as the millimetres of B2F.dat, to six digits ("0.8").
std::string millimetres(float centimetres) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(centimetres) * 10.0);
  return text;
}

std::string columnLines(int column, int highestBin) {
  return "MUs3.dat, column " + std::to_string(column) + ", lines 2 to " +
         std::to_string(highestBin) + ": ";
}

bool nonePositive(const BinColumn& values, int highestBin) {
  for (int bin = 2; bin <= highestBin; ++bin) {
    if (values[bin] > 0.0f) return false;
  }
  return true;
}

// Whether `thickness` cm of the layer lets less than the smallest normal float through in
// every bin: nothing of the spectrum is left to weigh.
bool absorbsEverything(const BinColumn& mu, float thickness, int highestBin) {
  for (int bin = 2; bin <= highestBin; ++bin) {
    if (!(static_cast<double>(mu[bin]) * thickness >= -std::log(static_cast<double>(FLT_MIN)))) {
      return false;
    }
  }
  return true;
}

struct Layer {
  std::string_view material;
  const BinColumn& mu;
  int column;       // of MUs3.dat
  int line;         // of B2F.dat
  float held;       // cm
  double thickest;  // mm, or cm for the air layer
  bool inMillimetres;
};

std::string layerThickness(const Layer& layer, float held) {
  return layer.inMillimetres ? millimetres(held) + " mm" : messageNumber(held) + " cm";
}

}  // namespace

std::string undefinedReferenceError(const BeamParameters& parameters,
                                    const CoefficientTable& table) {
  const int highest = highestBin(parameters.tubeVoltage);
  if (nonePositive(table.muEnAir, highest)) {
    return columnLines(8, highest) +
           "the energy absorption of air is not above 0 at any energy of the spectrum: there is "
           "no air kerma";
  }
  if (nonePositive(table.muAl, highest)) {
    return columnLines(4, highest) +
           "aluminium does not attenuate at any energy of the spectrum: there is no half-value "
           "layer";
  }
  const Layer layers[] = {
      {"beryllium", table.muBe, 5, 5, parameters.beryllium, kThickestBeryllium, true},
      {"aluminium", table.muAl, 4, 6, parameters.aluminium, kThickestAluminium, true},
      {"molybdenum", table.muMo, 2, 7, parameters.molybdenum, kThickestMolybdenumFilter, true},
      {"rhodium", table.muRh, 3, 8, parameters.rhodium, kThickestRhodiumFilter, true},
      {"air", table.muAir, 7, 9, parameters.airLayer, kThickestAirLayer, false}};
  for (const Layer& layer : layers) {
    if (!(layer.held > 0.0f) || !absorbsEverything(layer.mu, layer.held, highest)) continue;
    // Compared as written in B2F.dat; the held value is the read one times 0.1 in floats.
    const double written = layer.inMillimetres ? layer.held * 10.0 : layer.held;
    const std::string thickness = layerThickness(layer, layer.held);
    if (written > layer.thickest * (1 + 1e-6)) {
      return "B2F.dat, line " + std::to_string(layer.line) + ": " + std::string(layer.material) +
             " " + thickness + " is more than the " +
             messageNumber(static_cast<float>(layer.thickest)) +
             (layer.inMillimetres ? " mm" : " cm") +
             " the model is made for, and absorbs the whole spectrum";
    }
    return columnLines(layer.column, highest) + "the attenuation coefficients of " +
           std::string(layer.material) + " absorb the whole spectrum in " + thickness;
  }
  std::vector<const AddedLayer*> added;
  for (const AddedLayer& layer : parameters.addedFilters) added.push_back(&layer);
  if (parameters.plate) added.push_back(&*parameters.plate);
  for (const AddedLayer* layer : added) {
    if (layer->thickness > 0.0f && absorbsEverything(layer->mu, layer->thickness, highest)) {
      return "B2F.dat, line " + std::to_string(layer->line) + ": " + layer->material + " " +
             millimetres(layer->thickness) + " mm absorbs the whole spectrum";
    }
  }
  return "B2F.dat, lines 2 to 9: the settings " + messageNumber(parameters.tubeVoltage) + " kV, " +
         messageNumber(parameters.targetAngle) + " and " + messageNumber(parameters.tiltAngle) +
         " degrees, " + millimetres(parameters.beryllium) + " mm Be, " +
         millimetres(parameters.aluminium) + " mm Al, " + millimetres(parameters.molybdenum) +
         " mm Mo, " + millimetres(parameters.rhodium) + " mm Rh, " +
         messageNumber(parameters.airLayer) + " cm air " + std::string(kReferenceUndefined);
}

}  // namespace engine
