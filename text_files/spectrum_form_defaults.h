#pragma once

namespace palvane {

// The tube voltages the engines compute for, kV.
inline constexpr double kLowestTubeVoltage = 20;
inline constexpr double kHighestTubeVoltage = 50;

// The settings the spectrum form starts with, which sweep takes for a setting it is given
// no values for: kV, degrees and mm.
inline constexpr double kDefaultTubeVoltage = 30;
inline constexpr double kDefaultTargetAngle = 10;  // theta
inline constexpr double kDefaultTiltAngle = 4;     // phi
inline constexpr double kDefaultBeryllium = 0.8;
inline constexpr double kDefaultAluminium = 0;

// The added filters, in mm, set when a target is chosen: molybdenum with a molybdenum
// filter, tungsten with a rhodium filter.
inline constexpr double kMolybdenumTargetMolybdenumFilter = 0.03;
inline constexpr double kMolybdenumTargetRhodiumFilter = 0;
inline constexpr double kTungstenTargetMolybdenumFilter = 0;
inline constexpr double kTungstenTargetRhodiumFilter = 0.025;

}  // namespace palvane
