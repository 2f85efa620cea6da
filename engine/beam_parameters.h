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

}  // namespace engine
