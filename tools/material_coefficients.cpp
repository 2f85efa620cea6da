#include "tools/material_coefficients.h"

#include "tools/photon_coefficients.h"

namespace tools {

double materialAttenuation(const MaterialSource& material, double photonEnergyKeV) {
  const double massCoefficient = material.nistName != nullptr
                                     ? compoundMassAttenuation(material.nistName, photonEnergyKeV)
                                     : massAttenuation(material.atomicNumber, photonEnergyKeV);
  return material.density * massCoefficient;
}

}  // namespace tools
