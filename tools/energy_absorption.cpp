#include "tools/energy_absorption.h"

#include <xraylib/xraylib.h>

#include <string>

#include "tools/compton_energy_transfer.h"
#include "tools/nist_composition.h"
#include "tools/xraylib_call.h"

namespace tools {
namespace {

// Hydrogen and helium have no electrons to fill a K vacancy by fluorescence.
constexpr int kLightestFluorescentElement = 3;

// Energy-transfer coefficient of one element in cm^2/g: the photoelectric coefficient less
// the energy carried away by K fluorescence, plus the incoherent (bound Compton) cross
// section times the Klein-Nishina mean energy-transfer fraction. The share of the
// photoabsorption that falls on the K shell is (J - 1) / J with J the K jump ratio, and a
// fluorescence photon carries the K-alpha energy. L-shell fluorescence (yields below 1e-3
// in the light elements of air and water) and the bremsstrahlung of the secondary
// electrons (below 0.1 % under 50 keV) are left out.
double elementEnergyTransfer(int z, double energyKeV) {
  const std::string element = "Z=" + std::to_string(z);
  const double photo = callXraylib(atEnergy("photoelectric coefficient of " + element, energyKeV),
                                   [&](xrl_error** e) { return CS_Photo(z, energyKeV, e); });
  const double incoherent =
      callXraylib(atEnergy("incoherent cross section of " + element, energyKeV),
                  [&](xrl_error** e) { return CS_Compt(z, energyKeV, e); });

  double fluorescenceShare = 0.0;  // fraction of the photoabsorbed energy re-emitted
  if (z >= kLightestFluorescentElement) {
    const double edge = callXraylib("K edge of " + element,
                                    [&](xrl_error** e) { return EdgeEnergy(z, K_SHELL, e); });
    if (energyKeV > edge) {
      const double jump = callXraylib("K jump ratio of " + element,
                                      [&](xrl_error** e) { return JumpFactor(z, K_SHELL, e); });
      const double yield = callXraylib("K fluorescence yield of " + element,
                                       [&](xrl_error** e) { return FluorYield(z, K_SHELL, e); });
      const double lineEnergy = callXraylib(
          "K-alpha energy of " + element, [&](xrl_error** e) { return LineEnergy(z, KA_LINE, e); });
      fluorescenceShare = (jump - 1.0) / jump * yield * lineEnergy / energyKeV;
    }
  }
  return photo * (1.0 - fluorescenceShare) + incoherent * comptonEnergyTransferFraction(energyKeV);
}

}  // namespace

// The mass-fraction weighted sum of the elements' energy-transfer coefficients; for air
// and water under 50 keV this equals the energy-absorption coefficient.
double massEnergyAbsorption(const char* nistCompound, double photonEnergyKeV) {
  double sum = 0.0;
  for (const ElementShare& element : nistComposition(nistCompound)) {
    sum += element.massFraction * elementEnergyTransfer(element.atomicNumber, photonEnergyKeV);
  }
  return sum;
}

}  // namespace tools
