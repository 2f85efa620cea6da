#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "calibration/hvl_fit.h"
#include "calibration/output_calibration.h"

namespace palvane {

// A tube calibration file holds at most this many measured pairs (the rows of the form).
inline constexpr int kMostCalibrationPairs = 3;

// One tube's calibration as a file keeps it.
struct TubeCalibrationRecord {
  int targetType = 0;               // 0 molybdenum, 1 tungsten
  std::optional<double> aluminium;  // the fitted aluminium-equivalent thickness, mm
  std::vector<calibration::HvlPair> pairs;
  std::optional<calibration::OutputCalibration> output;
};

// The file's text, UTF-8 lines of "key = value" ended by a line feed, '#' starting a comment:
//   target = mo                 (mo or w)
//   aluminium = 0.101           (mm; optional)
//   hvl = 28 0.31               (kV and first HVL in mm Al; one line per pair, up to 3)
//   output_kerma = 120          (uGy/mAs; optional, with output_distance)
//   output_distance = 50        (cm from the focal spot)
std::string calibrationFileText(const TubeCalibrationRecord& record);

// Writes the file as a whole (the old one stays when writing fails); FileError naming it.
void writeCalibrationFile(const std::filesystem::path& file, const TubeCalibrationRecord& record);

// Reads a file written by writeCalibrationFile or by hand. Throws FileError naming the file
// and the line for a missing file, an unknown or repeated key, a value that is not a number
// or out of its range (a pair's tube voltage within 20 to 50 kV, HVL above 0, aluminium 0 to
// 5 mm, output and distance above 0), a missing target, more than 3 pairs or an output
// without its distance.
TubeCalibrationRecord readCalibrationFile(const std::filesystem::path& file);

}  // namespace palvane
