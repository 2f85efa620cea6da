#pragma once

#include <filesystem>
#include <string>

#include "text_files/field_grid.h"

namespace palvane {

// The three blocks of an engine's Result.dat: each a reference value at the reference
// point and the map of values relative to it.
struct ResultMaps {
  double referenceEnergyFluence = 0.0;  // in the unit of the tables
  FieldMap fluenceMap{};
  double referenceAirKerma = 0.0;  // in the unit of the tables
  FieldMap kermaMap{};
  double axisHvl = 0.0;  // mm of aluminium
  FieldMap hvlMap{};
};

// Reads Result.dat as free-format fields: per block the reference value, then 51 rows
// across the axis (outer, j) of 76 values along it (inner, i). Throws FileError naming the
// file when it is missing, short or holds a field that is not a number.
ResultMaps readResultMaps(const std::filesystem::path& file);
// The same from the text of a Result.dat that never reached a file; messages name fileName.
ResultMaps readResultMaps(std::string fileName, std::string text);

}  // namespace palvane
