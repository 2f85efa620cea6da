#pragma once

#include <filesystem>
#include <string>

#include "text_files/tube_setup.h"

namespace palvane {

inline constexpr const char* kParameterFile = "B2F.dat";

// The nine lines of B2F.dat, each ended by CR LF: the target flag ("0"), then every field
// of kSetupFields in its file pattern (tube voltage and angles "00.0", beryllium and
// aluminium "00.00", molybdenum, rhodium and the air layer "00.000").
std::string parameterFileText(const TubeSetup& setup);

// The target and the numbers of a B2F.dat up to the rhodium; the air layer, which palvane
// never changes, is not read and stays kAirLayerCm. Throws FileError naming the file when
// it is missing, short or holds a field that is not a number.
TubeSetup readParameterFile(const std::filesystem::path& file);

}  // namespace palvane
