#pragma once

namespace engine {

// The nine settings of B2F.dat as the engines hold them.
struct BeamParameters {
  int targetCode = 0;     // 0 molybdenum, 1 tungsten; only echoed to Beam_Axis.dat
  float tubeVoltage = 0;  // kV
  float targetAngle = 0;  // theta, degrees
  float tiltAngle = 0;    // phi, degrees
  float beryllium = 0;    // cm (read in mm, times 0.1)
  float aluminium = 0;    // cm
  float molybdenum = 0;   // cm
  float rhodium = 0;      // cm
  float airLayer = 0;     // cm, used as read
};

// The thickest layers the model is made for, in mm: a beryllium tube window, the aluminium
// equivalent of a tube's inherent filtration and of added plates, the thin molybdenum and
// rhodium K-edge filters of mammography, and no more air than lies between the focal spot
// and the image plane (cm).
inline constexpr double kThickestBeryllium = 3;
inline constexpr double kThickestAluminium = 10;
inline constexpr double kThickestMolybdenumFilter = 0.2;
inline constexpr double kThickestRhodiumFilter = 0.2;
inline constexpr double kThickestAirLayer = 65;  // cm

}  // namespace engine
