#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "palvane/state/shared_state.h"

namespace palvane {

// Materials.dat as palvane reads it: the heading names the columns ("keV", then one key per
// material); then line i + 1 gives the photon energy 0.2 i keV and each material's
// attenuation coefficient per cm, read as free-format fields. Throws FileError naming the
// file (and the line) when it is missing, short or damaged.
MaterialColumns readMaterialColumns(const std::filesystem::path& file);
// The same from the file's text; messages name `file`.
MaterialColumns readMaterialColumns(const std::filesystem::path& file, const std::string& text);

}  // namespace palvane
