#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "palvane/state/shared_state.h"
#include "text_files/table_files.h"

namespace palvane {

// Reads the attenuation coefficients (MUs3.dat: 250 rows of 10 values) and the molybdenum
// stopping powers (Mo-STP.dat: 20 rows of 2 values) from the working directory into the
// shared state, and sets Pi. The values are taken as a stream of fields, whatever their
// distribution over lines; anything after the needed count is ignored. A missing or short
// file throws FileError naming it, and then the shared state is left as it was.
void LoadTables();
void LoadTables(const std::filesystem::path& directory);

// The same tables as a value, read from the directory; the shared state is not touched.
ModelTables readModelTables(const std::filesystem::path& directory);

// The texts of the three tables, as their files hold them; no materials text: no
// Materials.dat.
struct ModelTableTexts {
  std::string coefficients;    // MUs3.dat
  std::string stoppingPowers;  // Mo-STP.dat
  std::optional<std::string> materials;
};

// The same tables read from their texts (tables built into a program); messages name the
// files as if they were in `directory`. A damaged Materials.dat, or none, becomes the
// tables' MaterialsProblem, as from a folder.
ModelTables modelTablesOfTexts(const ModelTableTexts& texts,
                               const std::filesystem::path& directory = {});

}  // namespace palvane
