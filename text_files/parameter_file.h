#pragma once

#include <filesystem>
#include <string>

namespace palvane {

inline constexpr const char* kParameterFile = "B2F.dat";

// The air layer between focal spot and image plane, cm: not a setting, always 60.
inline constexpr double kAirLayerCm = 60.0;

// The settings of one engine run as B2F.dat holds them: target flag, kV, degrees and mm.
struct RunSettings {
  double targetFlag = 0.0;  // 0: molybdenum; otherwise tungsten
  double tubeVoltage = 0.0;
  double targetAngle = 0.0;
  double tiltAngle = 0.0;
  double beryllium = 0.0;
  double aluminium = 0.0;
  double molybdenum = 0.0;
  double rhodium = 0.0;
};

// The nine lines of B2F.dat, each ended by CR LF: the target flag ("0"), the tube
// voltage, target angle and tilt angle ("00.0"), beryllium and aluminium ("00.00"),
// molybdenum and rhodium ("00.000"), and the air layer "60.000" cm.
std::string parameterFileText(const RunSettings& settings);

// The first eight fields of a B2F.dat (the ninth, the air layer, is not read). Throws
// FileError naming the file when it is missing, short or holds a field that is not a
// number.
RunSettings readParameterFile(const std::filesystem::path& file);

}  // namespace palvane
