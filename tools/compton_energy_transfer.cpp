#include "tools/compton_energy_transfer.h"

namespace tools {
namespace {

constexpr double kElectronRestEnergyKeV = 510.99895;
// Midpoint steps in cos(theta); the integrands are smooth, so this is exact to 1e-7.
constexpr int kAngleSteps = 2000;

}  // namespace

// Averages the kinetic energy 1 - P of the recoil electron (in units of the photon energy)
// over the Klein-Nishina angular distribution P^2 (P + 1/P - sin^2 theta), where
// P = 1 / (1 + k (1 - cos theta)) is the scattered photon's share and k = E / m c^2.
// Integrating numerically avoids the cancellation of the closed form at small k.
double comptonEnergyTransferFraction(double photonEnergyKeV) {
  const double k = photonEnergyKeV / kElectronRestEnergyKeV;
  double crossSection = 0.0;
  double energyTransfer = 0.0;
  for (int step = 0; step < kAngleSteps; ++step) {
    const double cosTheta = -1.0 + (step + 0.5) * 2.0 / kAngleSteps;
    const double p = 1.0 / (1.0 + k * (1.0 - cosTheta));
    const double weight = p * p * (p + 1.0 / p - (1.0 - cosTheta * cosTheta));
    crossSection += weight;
    energyTransfer += weight * (1.0 - p);
  }
  return energyTransfer / crossSection;
}

}  // namespace tools
