#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/coefficient_table.h"

namespace engine {

// A layer beyond the nine settings, from the lines after the ninth of B2F.dat: a filter
// placed with the tube's filters, or the compression plate.
struct AddedLayer {
  std::string material;  // its key in Materials.dat
  float thickness = 0;   // cm (read in mm, times 0.1)
  int line = 0;          // of B2F.dat
  BinColumn mu{};        // attenuation per cm, from Materials.dat (resolveMaterials)
};

// The nine settings of B2F.dat as the engines hold them.
struct BeamParameters {
  int targetCode = 0;                    // 0 molybdenum, 1 tungsten; only echoed to Beam_Axis.dat
  float tubeVoltage = 0;                 // kV
  float targetAngle = 0;                 // theta, degrees
  float tiltAngle = 0;                   // phi, degrees
  float beryllium = 0;                   // cm (read in mm, times 0.1)
  float aluminium = 0;                   // cm
  float molybdenum = 0;                  // cm
  float rhodium = 0;                     // cm
  float airLayer = 0;                    // cm, used as read
  std::vector<AddedLayer> addedFilters;  // in the order of B2F.dat
  std::optional<AddedLayer> plate;
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
// Added filters and the compression plate, mm: no thicker than the aluminium the model
// takes (a plate is 2 to 3 mm, a silver filter 0.05 mm).
inline constexpr double kThickestAddedFilter = 10;
inline constexpr double kThickestPlate = 10;

}  // namespace engine
