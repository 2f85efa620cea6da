#pragma once

#include <filesystem>

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

}  // namespace palvane
