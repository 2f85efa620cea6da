#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace engine {

inline constexpr std::string_view kCannotBeWritten = "cannot be written";

// Writes `contents` to a temporary file in the same directory and renames it over `file`,
// so a reader sees the old file or the complete new one. Throws std::runtime_error with
// the file name on failure (and removes the temporary file).
void writeFileAtomically(const std::filesystem::path& file, const std::string& contents);

}  // namespace engine
