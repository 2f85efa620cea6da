#pragma once

#include <filesystem>

namespace palvane {

inline constexpr const char* kCoefficientTableFile = "MUs3.dat";
inline constexpr const char* kStoppingPowerTableFile = "Mo-STP.dat";
// The materials of added filters and of the compression plate; read only when one is used.
inline constexpr const char* kMaterialTableFile = "Materials.dat";

// Where the tables are installed for the programs of programDirectory:
// <prefix>/bin/../share/palvane.
inline std::filesystem::path installedTablesDirectory(
    const std::filesystem::path& programDirectory) {
  return programDirectory.parent_path() / "share" / "palvane";
}

}  // namespace palvane
