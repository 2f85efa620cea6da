#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace palvane {

// Input files are small tables and results; anything larger is not one of them.
inline constexpr std::size_t kMaxInputFileBytes = 1 << 20;

// The whole contents of an input file. Throws FileError naming the file when it cannot be
// opened or read, is not a regular file (a pipe or a device is refused at once, never
// waited on) or is larger than kMaxInputFileBytes.
std::string readInputFile(const std::filesystem::path& file);

}  // namespace palvane
