#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "text_files/tube_setup.h"

namespace palvane {

inline constexpr const char* kParameterFile = "B2F.dat";

// The nine lines of B2F.dat, each ended by CR LF: the target flag ("0"), then every field
// of kSetupFields in its file pattern (tube voltage and angles "00.0", beryllium and
// aluminium "00.00", molybdenum, rhodium and the air layer "00.000"); then one line for
// each added filter and the plate of more than 0 mm ("filter ag 00.050", "plate pmma
// 02.400"), which only a set-up with added layers has.
std::string parameterFileText(const TubeSetup& setup);

// The target and the numbers of a B2F.dat up to the rhodium, and its added layers; the
// air layer, which palvane never changes, is not read and stays kAirLayerCm. Throws
// FileError naming the file when it is missing, short or holds a field that is not a
// number, and the line of an added layer that cannot be read.
TubeSetup readParameterFile(const std::filesystem::path& file);
// The same from the text of a B2F.dat; messages name fileName.
TubeSetup readParameterText(const std::string& text, const std::string& fileName);

// The added layers of a B2F.dat text: the lines after the ninth that holds a value.
void readAddedLayerLines(std::string_view text, const std::string& fileName, TubeSetup& setup);

}  // namespace palvane
