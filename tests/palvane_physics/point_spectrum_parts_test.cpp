#include <gtest/gtest.h>

#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/stopping_power.h"
#include "palvane/physics/tube_settings.h"
#include "palvane_physics/spectrum_fixture.h"

namespace palvane {
namespace {

double lookUp(const MolybdenumStoppingPower& table, double T) {
  int searchRow = 1;
  return table.at(T, searchRow);
}

TEST(MolybdenumStoppingPower, InterpolatesInLogLogAndUsesRowOneUpToOneKeV) {
  const MolybdenumStoppingPower table(inverseEnergyTable());
  for (double T : {1.3, 3.0, 7.77, 12.5, 26.4, 30.0, 49.9, 50.0}) {
    EXPECT_NEAR(lookUp(table, T), 1000.0 / T, 1e-12 * 1000.0 / T) << T;
  }
  // Row 1 (0.5 keV, 2000) without interpolation, also at exactly 1 keV.
  EXPECT_EQ(lookUp(table, 0.4), 2000.0);
  EXPECT_EQ(lookUp(table, 1.0), 2000.0);

  int searchRow = 1;  // a run of rising energies may resume the row search
  for (double T = 1.2; T <= 50.0; T += 0.2) EXPECT_EQ(table.at(T, searchRow), lookUp(table, T));
}

TEST(MolybdenumStoppingPower, CoversOnlyTablesFromOneKeVToTheVoltage) {
  StoppingPowerArray rows = inverseEnergyTable();
  EXPECT_TRUE(MolybdenumStoppingPower(rows).covers(50.0));
  EXPECT_FALSE(MolybdenumStoppingPower(rows).covers(50.1));
  rows[0][1] = 1.5;
  EXPECT_FALSE(MolybdenumStoppingPower(rows).covers(30.0));
  EXPECT_TRUE(MolybdenumStoppingPower(rows).covers(0.8));
  EXPECT_FALSE(MolybdenumStoppingPower(StoppingPowerArray{}).covers(30.0));
}

TEST(PathFactor, DefaultAnglesAndLimitsOfTheModel) {
  // theta 10, phi 4 on the axis: sqrt(1 - tan^2(-4)) / (tan 10 + tan 4), degrees with 3.14159.
  EXPECT_NEAR(*PathFactor(0.0, 4.0, 10.0, 3.14159), 4.0509141957, 1e-9);
  EXPECT_FALSE(PathFactor(14.0, 4.0, 10.0, 3.14159).has_value());  // at the heel cut-off
  EXPECT_FALSE(PathFactor(16.0, 4.0, 10.0, 3.14159).has_value());  // beyond it
  EXPECT_FALSE(PathFactor(0.0, 50.0, 10.0, 3.14159).has_value());  // |beta| above 45 degrees
  EXPECT_FALSE(PathFactor(0.0, 0.0, 0.0, 0.0).has_value());        // tables not loaded: Pi 0
}

TEST(LastSpectrumBin, FiveBinsPerKilovoltRoundedDownWithinTheArrays) {
  EXPECT_EQ(lastSpectrumBin(20.1), 100);
  EXPECT_EQ(lastSpectrumBin(50.19), 250);
  EXPECT_FALSE(lastSpectrumBin(50.2).has_value());
  EXPECT_FALSE(lastSpectrumBin(1e300).has_value());
  EXPECT_EQ(lastSpectrumBin(-1e300), 1);  // no bin carries radiation
}

}  // namespace
}  // namespace palvane
