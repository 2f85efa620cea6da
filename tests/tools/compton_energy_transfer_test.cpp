#include "tools/compton_energy_transfer.h"

#include <gtest/gtest.h>

namespace {

// Reference fractions from the closed-form Klein-Nishina energy-transfer cross section
// divided by the total one, and 0.440 at 1 MeV as tabulated in dosimetry textbooks.
TEST(ComptonEnergyTransferFraction, AgreesWithTheClosedForm) {
  EXPECT_NEAR(tools::comptonEnergyTransferFraction(20.0), 0.0360503, 1e-6);
  EXPECT_NEAR(tools::comptonEnergyTransferFraction(50.0), 0.0807078, 1e-6);
  EXPECT_NEAR(tools::comptonEnergyTransferFraction(1000.0), 0.440, 5e-4);
}

// For small photon energies the mean transfer tends to k = E / m c^2.
TEST(ComptonEnergyTransferFraction, TendsToTheEnergyOverTheRestEnergy) {
  EXPECT_NEAR(tools::comptonEnergyTransferFraction(0.2), 0.2 / 510.99895, 1e-6);
}

}  // namespace
