#include "tools/table_text.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

#include "engine/bins.h"
#include "engine/numeric_field.h"
#include "tools/material_coefficients.h"
#include "tools/photon_coefficients.h"
#include "tools/stopping_power.h"

namespace tools {
namespace {

constexpr const char* kLineEnd = "\r\n";

// Electron kinetic energies of Mo-STP.dat in keV: finer where the stopping power bends.
constexpr std::array<double, 20> kElectronEnergies{0.5,  1.0,  1.5,  2.0,  3.0,  4.0,  5.0,
                                                   6.0,  8.0,  10.0, 12.5, 15.0, 17.5, 20.0,
                                                   25.0, 30.0, 35.0, 40.0, 45.0, 50.0};

// The tables are read by fixed columns and by splitting on blanks, so every value must be
// a positive finite number whose field (after the first of a line) begins with a blank;
// anything else would be read differently by the two readers or is not data at all.
void requirePositive(double value, const std::string& where) {
  if (!std::isfinite(value) || value <= 0.0) {
    throw std::runtime_error(where + ": value " + std::to_string(value) +
                             " is not a positive finite number");
  }
}

void appendField(std::string& line, const std::string& field, bool needsLeadingBlank,
                 const std::string& where) {
  if (field.find('*') != std::string::npos) {
    throw std::runtime_error(where + ": value does not fit its field");
  }
  if (needsLeadingBlank && field.front() != ' ') {
    throw std::runtime_error(where + ": field \"" + field + "\" does not start with a blank");
  }
  line += field;
}

std::string place(const char* file, int line, int column) {
  return std::string(file) + ", line " + std::to_string(line) + ", column " +
         std::to_string(column);
}

}  // namespace

std::string coefficientTableText() {
  std::string text;
  for (int bin = 1; bin <= engine::kBinCount; ++bin) {
    const CoefficientRow row = photonCoefficients(bin / 5.0);  // 0.2 * bin keV
    std::string line;
    for (int column = 1; column <= kCoefficientColumns; ++column) {
      const std::string where = place("MUs3.dat", bin, column);
      const double value = row[column - 1];
      requirePositive(value, where);
      // The values pass through single precision, as every reader of the file holds them.
      const float stored = static_cast<float>(value);
      const std::string field = column == 1 ? engine::renderExponent(stored, 9, 3)
                                            : engine::renderExponent(stored, 13, 5);
      appendField(line, field, column > 1, where);
    }
    text += line + kLineEnd;
  }
  return text;
}

std::string materialTableText() {
  // Heading: each key right-aligned in the field of its column.
  std::string text = std::string(9 - 3, ' ') + "keV";
  for (const MaterialSource& material : kMaterials) {
    text += std::string(13 - material.key.size(), ' ') + std::string(material.key);
  }
  text += kLineEnd;
  for (int bin = 1; bin <= engine::kBinCount; ++bin) {
    const double energy = bin / 5.0;  // 0.2 * bin keV
    std::string line = engine::renderExponent(static_cast<float>(energy), 9, 3);
    for (std::size_t column = 0; column < kMaterials.size(); ++column) {
      const std::string where = place("Materials.dat", bin + 1, static_cast<int>(column) + 2);
      const double value = materialAttenuation(kMaterials[column], energy);
      requirePositive(value, where);
      appendField(line, engine::renderExponent(static_cast<float>(value), 13, 5), true, where);
    }
    text += line + kLineEnd;
  }
  return text;
}

std::string stoppingPowerTableText() {
  std::string text;
  for (std::size_t row = 0; row < kElectronEnergies.size(); ++row) {
    const int line = static_cast<int>(row) + 1;
    const double energy = kElectronEnergies[row];
    const double stoppingPower = collisionStoppingPower(kMolybdenum, energy);
    requirePositive(stoppingPower, place("Mo-STP.dat", line, 2));
    std::string record;
    appendField(record, engine::renderFixed(static_cast<float>(energy), 4, 1), false,
                place("Mo-STP.dat", line, 1));
    appendField(record, engine::renderExponent(static_cast<float>(stoppingPower), 12, 3), true,
                place("Mo-STP.dat", line, 2));
    text += record + kLineEnd;
  }
  return text;
}

}  // namespace tools
