#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sweep {

enum class Target { kMolybdenum, kTungsten };

// The air layer between focal spot and image plane is not a setting: always 60 cm.
inline constexpr double kAirLayerCm = 60.0;

// One combination: the settings of one engine run, thicknesses in mm, angles in degrees.
struct Settings {
  Target target = Target::kMolybdenum;
  double tubeVoltage = 30;   // kV
  double targetAngle = 10;   // theta, degrees
  double tiltAngle = 4;      // phi, degrees
  double beryllium = 0.8;    // mm
  double aluminium = 0;      // mm
  double molybdenum = 0.03;  // mm
  double rhodium = 0;        // mm
  friend bool operator==(const Settings&, const Settings&) = default;
};

// The values asked for each setting. Without a list of its own the added filters take the
// default of each target, as the spectrum form does when a target is chosen.
struct SweepRequest {
  std::vector<Target> targets{Target::kMolybdenum};
  std::vector<double> tubeVoltages{30};
  std::vector<double> targetAngles{10};
  std::vector<double> tiltAngles{4};
  std::vector<double> berylliums{0.8};
  std::vector<double> aluminiums{0};
  std::optional<std::vector<double>> molybdenums;
  std::optional<std::vector<double>> rhodiums;
};

// The added filter each target starts with, in mm.
double defaultMolybdenumFilter(Target target);
double defaultRhodiumFilter(Target target);

// "mo" or "w".
std::string_view targetName(Target target);

// How many combinations the request holds (a double, so that no product overflows).
double combinationCount(const SweepRequest& request);

// Every combination of the request, the target varying slowest and rhodium fastest
// (target, kV, theta, phi, Be, Al, Mo, Rh).
std::vector<Settings> expandCombinations(const SweepRequest& request);

}  // namespace sweep
