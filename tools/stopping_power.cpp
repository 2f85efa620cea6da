#include "tools/stopping_power.h"

#include <cmath>

namespace tools {
namespace {

constexpr double kElectronRestEnergyKeV = 510.99895;  // m c^2
// 2 pi r_e^2 m c^2 N_A in MeV cm^2/mol, from r_e = 2.8179403262e-13 cm,
// m c^2 = 0.51099895 MeV and N_A = 6.02214076e23 /mol.
constexpr double kBetheConstant = 0.153537;
// Coefficient k of the low-energy correction I' = I / (1 + k I / T).
constexpr double kLowEnergyCoefficient = 0.85;

}  // namespace

double collisionStoppingPower(const StoppingMaterial& material, double kineticEnergyKeV) {
  const double tau = kineticEnergyKeV / kElectronRestEnergyKeV;  // T / m c^2
  const double betaSquared = 1.0 - 1.0 / ((tau + 1.0) * (tau + 1.0));
  const double excitationEnergy =
      material.meanExcitationEnergy /
      (1.0 + kLowEnergyCoefficient * material.meanExcitationEnergy / kineticEnergyKeV);
  const double excitationRatio = excitationEnergy / kElectronRestEnergyKeV;  // I' / m c^2

  const double logarithm =
      std::log(tau * tau * (tau + 2.0) / (2.0 * excitationRatio * excitationRatio));
  // F-(tau): the electron's term for close collisions and exchange (Moller cross section).
  const double closeCollisions =
      1.0 - betaSquared +
      (tau * tau / 8.0 - (2.0 * tau + 1.0) * std::log(2.0)) / ((tau + 1.0) * (tau + 1.0));
  return kBetheConstant * material.chargeToMass / betaSquared * (logarithm + closeCollisions);
}

}  // namespace tools
