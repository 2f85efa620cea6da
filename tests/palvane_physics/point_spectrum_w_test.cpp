#include <gtest/gtest.h>

#include <cmath>

#include "palvane/physics/point_spectrum.h"
#include "palvane_physics/spectrum_fixture.h"

namespace palvane {
namespace {

double relativeError(double actual, double expected) {
  return std::fabs(actual - expected) / std::fabs(expected);
}

using TungstenSpectrum = SpectrumTest;

TEST_F(TungstenSpectrum, TubeVoltageIsClampedToFifteenToFiftyOnTheForm) {
  const struct {
    const char* typed;
    const char* shown;
    int writes;
  } cases[] = {
      {"55", "50", 1}, {"50.5kV", "50", 1}, {"12", "15", 1}, {"abc", "15", 1},
      {"", "15", 1},   {"50", "50", 0},     {"15", "15", 0}, {"30", "30", 0},
  };
  for (const auto& c : cases) {
    texts_.voltage = c.typed;
    texts_.voltageWrites = 0;
    EXPECT_EQ(ComputePointSpectrumW(), PointSpectrumOutcome::kDrawn) << c.typed;
    EXPECT_EQ(texts_.voltage, c.shown) << c.typed;
    EXPECT_EQ(texts_.voltageWrites, c.writes) << c.typed;
  }
}

// "12" runs at 15 kV. Bin 75 (15 keV) then has the single term T = 15 keV with no path in
// the target, so the tungsten coefficient does not enter.
TEST_F(TungstenSpectrum, TheTopBinIsOneTermWithTheTungstenFormulas) {
  texts_.voltage = std::string("12");
  s().MuW.fill(5.0);
  ASSERT_EQ(ComputePointSpectrumW(), PointSpectrumOutcome::kDrawn);
  // 1 - 5.049 + 10.847 - 10.516 + 3.842 = 0.124 at u = 1
  const double B = (0.03658 + 2.9e-05 * 15.0) * 0.124;
  const double S = 1036.1 * std::exp(-0.04695 * 15.0) + 202.41;
  EXPECT_LT(relativeError(s().TargetSpectrum[75], B * (1.0 + 511.0 / 15.0) / S), 1e-12);
  for (int bin = 76; bin <= 250; ++bin) ASSERT_EQ(s().Spectrum[bin], 0.0) << bin;
}

TEST_F(TungstenSpectrum, NoCharacteristicLinesAndAbsentFiltersAreExactlyOne) {
  s().MuMo.fill(7.0);
  s().MuRh.fill(7.0);
  texts_.mo = std::string("0");
  texts_.rh = std::string("0");
  ASSERT_EQ(ComputePointSpectrumW(), PointSpectrumOutcome::kDrawn);
  for (int bin : {86, 87, 98, 100, 120}) {
    EXPECT_EQ(s().Spectrum[bin], s().TargetSpectrum[bin] / (0.2 * bin)) << bin;
  }
}

TEST_F(TungstenSpectrum, SixtyCentimetresOfAirAndTheWholeObliquePath) {
  s().MuBe.fill(2.0);
  s().MuAl.fill(1.0);
  s().MuAir.fill(0.01);
  texts_.al = std::string("1");
  ASSERT_EQ(ComputePointSpectrumW(), PointSpectrumOutcome::kDrawn);
  const double perEnergy = s().TargetSpectrum[120] / 24.0;
  EXPECT_LT(relativeError(s().Spectrum[120],
                          perEnergy * std::exp(-0.16) * std::exp(-0.1) * std::exp(-0.6)),
            1e-12);

  s().PointMode = 1;
  s().PointY = 10.0;
  ASSERT_EQ(ComputePointSpectrumW(), PointSpectrumOutcome::kDrawn);
  const double r = std::sqrt(4325.0) / 65.0;
  EXPECT_LT(relativeError(s().Spectrum[120], perEnergy * std::exp(-0.16) * std::exp(-0.1 * r) *
                                                 std::exp(-0.6 * r) * 4225.0 / 4325.0),
            1e-12);
}

TEST_F(TungstenSpectrum, TiltBeyondFortyFiveDegreesIsOutsideTheModel) {
  texts_.phi = std::string("50");
  EXPECT_EQ(ComputePointSpectrumW(), PointSpectrumOutcome::kOutsideModel);
  EXPECT_TRUE(spectrumGraph_.calls.empty());
}

}  // namespace
}  // namespace palvane
