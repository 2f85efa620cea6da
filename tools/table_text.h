#pragma once

#include <string>

namespace tools {

// The complete text of MUs3.dat: 250 lines in the layout (E9.3,9E13.5), line i for the
// photon energy 0.2 i keV, each line ended by CR LF.
std::string coefficientTableText();

// The complete text of Materials.dat: a heading line ("keV" and the materials' keys, each
// right-aligned in its field), then 250 lines in the layout (E9.3,6E13.5), line i + 1 for
// the photon energy 0.2 i keV: the linear attenuation coefficients per cm of the materials
// of kMaterials, in that order, each line ended by CR LF.
std::string materialTableText();

// The complete text of Mo-STP.dat: 20 lines in the layout (F4.1,E12.3), electron kinetic
// energy in keV and collision stopping power of molybdenum in MeV cm^2/g, ended by CR LF.
std::string stoppingPowerTableText();

}  // namespace tools
