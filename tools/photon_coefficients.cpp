#include "tools/photon_coefficients.h"

#include <xraylib/xraylib.h>

#include <string>

#include "tools/energy_absorption.h"
#include "tools/nist_composition.h"
#include "tools/xraylib_call.h"

namespace tools {
namespace {

// Densities in g/cm^3.
constexpr double kMolybdenumDensity = 10.22;
constexpr double kRhodiumDensity = 12.41;
constexpr double kAluminiumDensity = 2.699;
constexpr double kBerylliumDensity = 1.848;
constexpr double kPmmaDensity = 1.19;
constexpr double kAirDensity = 0.001205;
constexpr double kTungstenDensity = 19.3;

// Names in xraylib's list of NIST compounds (its own spelling).
constexpr const char* kPmma = "Polymethyl Methacralate (Lucite, Perspex)";
constexpr const char* kAir = "Air, Dry (near sea level)";
constexpr const char* kWater = "Water, Liquid";

}  // namespace

// Total cross section (coherent included) in cm^2/g; times density it is the linear
// attenuation coefficient per cm.
double massAttenuation(int atomicNumber, double energyKeV) {
  return callXraylib(
      atEnergy("total cross section of Z=" + std::to_string(atomicNumber), energyKeV),
      [&](xrl_error** e) { return CS_Total(atomicNumber, energyKeV, e); });
}

// The mass-fraction weighted sum of the elements' total cross sections, in cm^2/g (summed
// here rather than by CS_Total_CP, which leaks memory on every call in xraylib 4.0).
double compoundMassAttenuation(const char* compound, double energyKeV) {
  double sum = 0.0;
  for (const ElementShare& element : nistComposition(compound)) {
    sum += element.massFraction * massAttenuation(element.atomicNumber, energyKeV);
  }
  return sum;
}

CoefficientRow photonCoefficients(double photonEnergyKeV) {
  const double e = photonEnergyKeV;
  return {e,
          kMolybdenumDensity * massAttenuation(42, e),
          kRhodiumDensity * massAttenuation(45, e),
          kAluminiumDensity * massAttenuation(13, e),
          kBerylliumDensity * massAttenuation(4, e),
          kPmmaDensity * compoundMassAttenuation(kPmma, e),
          kAirDensity * compoundMassAttenuation(kAir, e),
          massEnergyAbsorption(kAir, e),
          massEnergyAbsorption(kWater, e),
          kTungstenDensity * massAttenuation(74, e)};
}

}  // namespace tools
