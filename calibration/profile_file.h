#pragma once

#include <filesystem>
#include <string>

#include "calibration/tube_profile.h"

namespace calibration {

// The newest format of a profile file: 3 adds fits of added filters (and of several filters),
// the plate a fit was made through and the added layers of an output. A profile that needs
// none of those is written in format 2, byte for byte as before; files of format 1 (a
// single fit, without a format line) are read as well.
inline constexpr int kProfileFormat = 3;
// A filter's fit holds at most this many measured pairs, a heel this many points.
inline constexpr std::size_t kMostHvlPairs = 3;
inline constexpr std::size_t kMostHeelPoints = 8;
// Heel points lie within the map along the anode-cathode axis, in mm.
inline constexpr double kFarthestHeelPoint = 150.0;
// A measured relative air kerma lies within (0, this].
inline constexpr double kHighestRelativeKerma = 1.5;
// A fitted target angle lies within these, in degrees.
inline constexpr double kSmallestFittedAngle = 5.0;
inline constexpr double kLargestFittedAngle = 30.0;

// The profile as UTF-8 lines of "key = value" ended by a line feed ('#' starts a comment;
// the README describes every key): the format, name and target, then a block per filter
// opened by its "filter = " line, then the output_* and the heel_* lines.
std::string profileFileText(const TubeProfile& profile);

// Writes the file as a whole (the old one stays when writing fails); palvane::FileError
// naming it.
void writeProfileFile(const std::filesystem::path& file, const TubeProfile& profile);

// Reads a profile of format 1 or 2. Throws palvane::FileError naming the file and the line
// for an unreadable file, a line that is not key = value, an unknown or repeated key, a
// value that is not a number or out of its range, a key missing from its block, or a file
// of a newer format.
TubeProfile readProfileFile(const std::filesystem::path& file);
// The same from the file's text; the messages name it `fileName`.
TubeProfile readProfileText(std::string text, std::string fileName);

}  // namespace calibration
