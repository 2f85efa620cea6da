#pragma once

#include <filesystem>
#include <string_view>

namespace palvane {

// Replaces the file with the given contents by writing a temporary file beside it and
// renaming it over the old one, so that a reader sees the old file or the complete new
// one. Throws FileError naming the file when it cannot be written; the old file is then
// unchanged.
void replaceFileContents(const std::filesystem::path& file, std::string_view contents);

}  // namespace palvane
