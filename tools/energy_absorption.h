#pragma once

namespace tools {

// Mass energy-absorption coefficient in cm^2/g of a compound of xraylib's NIST list, at a
// photon energy in keV. Throws std::runtime_error when xraylib cannot give a term.
double massEnergyAbsorption(const char* nistCompound, double photonEnergyKeV);

}  // namespace tools
