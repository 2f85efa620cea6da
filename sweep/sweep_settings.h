#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text_files/parameter_file.h"
#include "text_files/spectrum_form_defaults.h"

namespace sweep {

enum class Target { kMolybdenum, kTungsten };

// The air layer between focal spot and image plane is not a setting: always 60 cm.
using palvane::kAirLayerCm;

// One combination: the settings of one engine run, thicknesses in mm, angles in degrees;
// by default those the spectrum form starts with.
struct Settings {
  Target target = Target::kMolybdenum;
  double tubeVoltage = palvane::kDefaultTubeVoltage;               // kV
  double targetAngle = palvane::kDefaultTargetAngle;               // theta, degrees
  double tiltAngle = palvane::kDefaultTiltAngle;                   // phi, degrees
  double beryllium = palvane::kDefaultBeryllium;                   // mm
  double aluminium = palvane::kDefaultAluminium;                   // mm
  double molybdenum = palvane::kMolybdenumTargetMolybdenumFilter;  // mm
  double rhodium = palvane::kMolybdenumTargetRhodiumFilter;        // mm
  friend bool operator==(const Settings&, const Settings&) = default;
};

// The values asked for each setting. Without a list of its own the added filters take the
// default of each target, as the spectrum form does when a target is chosen.
struct SweepRequest {
  std::vector<Target> targets{Target::kMolybdenum};
  std::vector<double> tubeVoltages{palvane::kDefaultTubeVoltage};
  std::vector<double> targetAngles{palvane::kDefaultTargetAngle};
  std::vector<double> tiltAngles{palvane::kDefaultTiltAngle};
  std::vector<double> berylliums{palvane::kDefaultBeryllium};
  std::vector<double> aluminiums{palvane::kDefaultAluminium};
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
