#pragma once

namespace tools {

// Mean fraction of the photon energy that a Compton scattering on a free electron hands to
// the electron (Klein-Nishina), for a photon energy in keV; dimensionless, 0 to 1.
double comptonEnergyTransferFraction(double photonEnergyKeV);

}  // namespace tools
