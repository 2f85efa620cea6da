#pragma once

#include <array>

namespace tools {

// The ten columns of one MUs3.dat line, in file order.
inline constexpr int kCoefficientColumns = 10;
using CoefficientRow = std::array<double, kCoefficientColumns>;

// Column 1 is the photon energy in keV; columns 2 to 7 and 10 are linear attenuation
// coefficients per cm (Mo, Rh, Al, Be, PMMA, air, W); columns 8 and 9 are mass
// energy-absorption coefficients in cm^2/g (air, liquid water). Throws
// std::runtime_error with xraylib's message when xraylib cannot give a value.
CoefficientRow photonCoefficients(double photonEnergyKeV);

// xraylib's total cross section (coherent included) of an element, in cm^2/g.
double massAttenuation(int atomicNumber, double energyKeV);

// The same for a compound of xraylib's NIST list: its elements' cross sections weighted by
// their mass fractions.
double compoundMassAttenuation(const char* compound, double energyKeV);

}  // namespace tools
