#pragma once

namespace tools {

// Material constants of the collision stopping power for electrons.
struct StoppingMaterial {
  double chargeToMass;          // Z/A in mol/g
  double meanExcitationEnergy;  // I in keV
};

// Molybdenum: Z = 42, A = 95.95 g/mol, I = 424 eV.
inline constexpr StoppingMaterial kMolybdenum{42.0 / 95.95, 0.424};

// Collision (electronic) mass stopping power in MeV cm^2/g of an electron with kinetic
// energy in keV: the relativistic Bethe formula for electrons, with the mean excitation
// energy lowered as I / (1 + 0.85 I / T) so that the logarithm stays positive down to a
// few hundred eV. Without the density-effect correction (its share is below 0.2 % up to
// 50 keV in molybdenum) and without the radiative part.
double collisionStoppingPower(const StoppingMaterial& material, double kineticEnergyKeV);

}  // namespace tools
