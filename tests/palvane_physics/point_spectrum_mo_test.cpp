#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "palvane/physics/point_spectrum.h"
#include "palvane_physics/spectrum_fixture.h"

namespace palvane {
namespace {

// The shape polynomial 1 - 4.238 u + 7.799 u^2 - 6.739 u^3 + 2.313 u^4 at u = 1.
constexpr double kShapeAtOne = 0.135;

double relativeError(double actual, double expected) {
  return std::fabs(actual - expected) / std::fabs(expected);
}

using MolybdenumSpectrum = SpectrumTest;

// At 30 kV, bin 150 (30 keV) has the single electron energy T = 30 keV, where the photon
// path in the target is 0: the term is B (1 + 511 / T) / S(T) with S = 1000 / 30.
TEST_F(MolybdenumSpectrum, TheTopBinIsOneTermAndOnlyBinsTwoToNCarryRadiation) {
  s().MuMo.fill(3.0);
  s().Spectrum.fill(5.0);
  ASSERT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kDrawn);
  const double B = (0.03058 - 7.494e-05 * 30.0) * kShapeAtOne;
  const double expected = B * (1.0 + 511.0 / 30.0) / (1000.0 / 30.0);
  EXPECT_LT(relativeError(s().TargetSpectrum[150], expected), 1e-12);
  // The molybdenum filter of 0.03 mm: exp(-3 * 0.003), then per 30 keV.
  EXPECT_LT(relativeError(s().Spectrum[150], expected * std::exp(-0.009) / 30.0), 1e-12);
  EXPECT_EQ(s().Spectrum[0], 5.0);  // never touched
  EXPECT_EQ(s().Spectrum[1], 0.0);
  for (int bin = 151; bin <= 250; ++bin) EXPECT_EQ(s().Spectrum[bin], 0.0) << bin;
}

TEST_F(MolybdenumSpectrum, AtOneKeVAndBelowTheFirstRowIsUsedAsItIs) {
  texts_.voltage = std::string("1");  // bin 5 is 1.0 keV: one term at T = 1.0, S = row 1's 2000
  ASSERT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kDrawn);
  const double B = (0.03058 - 7.494e-05 * 1.0) * kShapeAtOne;
  EXPECT_LT(relativeError(s().TargetSpectrum[5], B * 512.0 / 2000.0), 1e-12);
}

// At 0.6 kV bin 2 (0.4 keV) has the single term T = 0.4; bin 3 starts at 0.2 * 3, which
// in double lies just above 0.6, and gets no term.
TEST_F(MolybdenumSpectrum, SelfAbsorptionAlongThePathFactor) {
  texts_.voltage = std::string("0.6");
  s().MuMo[2] = 1e5;
  ASSERT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kDrawn);
  const double G = std::sqrt(1.0 - std::pow(std::tan(3.14159 * -4.0 / 180.0), 2)) /
                   (std::tan(3.14159 * 10.0 / 180.0) - std::tan(3.14159 * -4.0 / 180.0));
  const double C =
      141766.0 + 12157.0 * 0.6 - 111.046 * 0.36 + 0.552536 * 0.216 - 0.000970158 * 0.1296;
  const double d = G * (0.36 - 0.16) / (C * 10.22);
  const double B = (0.03058 - 7.494e-05 * 0.6) * kShapeAtOne;
  const double expected = std::exp(-1e5 * d) * B * (1.0 + 511.0 / 0.4) / 2000.0;
  EXPECT_LT(relativeError(s().TargetSpectrum[2], expected), 1e-9);
  EXPECT_EQ(s().TargetSpectrum[3], 0.0);
}

// Photons per bin before the lines are added: the target spectrum per bin energy (all
// attenuation coefficients are 0 here).
double bremsstrahlungTotal(const SharedState& shared, int lastBin) {
  double total = 0.0;
  for (int bin = 2; bin <= lastBin; ++bin) total += shared.TargetSpectrum[bin] / (0.2 * bin);
  return total;
}

double lineAmount(const SharedState& shared, int bin) {
  return shared.Spectrum[bin] - shared.TargetSpectrum[bin] / (0.2 * bin);
}

TEST_F(MolybdenumSpectrum, LineFractionsFollowTheAddedFilter) {
  const struct {
    const char* voltage;
    const char* molybdenum;
    const char* rhodium;
    int lastBin;
    double yield;
    double at87, at98, at100;
  } cases[] = {
      {"30", "0.03", "0", 150, 0.0379 * 30 - 0.7866, 0.543 + 0.283, 0.101 + 0.051, 0.022},
      {"30", "0.03", "0.025", 150, 0.0379 * 30 - 0.7866, 0.543 + 0.283, 0.101 + 0.051, 0.022},
      {"30", "0", "0.025", 150, 0.0323 * 30 - 0.6543, 0.538 + 0.282, 0.104 + 0.053, 0.023},
      {"30", "0", "0", 150, 0.0323 * 30 - 0.6543, 0.556 + 0.292, 0.088 + 0.045, 0.043},
      // Just above the threshold of set A (20.75 kV) the lines are small; below it
      // (0.0379 * 20.7 - 0.7866 < 0) and below 20.26 kV for sets B and C there are none.
      {"20.8", "0.03", "0", 104, 0.0379 * 20.8 - 0.7866, 0.543 + 0.283, 0.101 + 0.051, 0.022},
      {"20.7", "0.03", "0", 103, 0.0, 0.543 + 0.283, 0.101 + 0.051, 0.022},
      {"20.2", "0", "0.025", 101, 0.0, 0.538 + 0.282, 0.104 + 0.053, 0.023},
  };
  for (const auto& c : cases) {
    texts_.voltage = c.voltage;
    texts_.mo = c.molybdenum;
    texts_.rh = c.rhodium;
    ASSERT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kDrawn);
    const double perFraction = c.yield * bremsstrahlungTotal(s(), c.lastBin);
    SCOPED_TRACE(std::string(c.voltage) + " kV, " + c.molybdenum + " / " + c.rhodium);
    if (c.yield == 0.0) {
      for (int bin : {87, 98, 100}) EXPECT_EQ(lineAmount(s(), bin), 0.0) << bin;
      continue;
    }
    EXPECT_LT(relativeError(lineAmount(s(), 87), c.at87 * perFraction), 1e-9);
    EXPECT_LT(relativeError(lineAmount(s(), 98), c.at98 * perFraction), 1e-9);
    EXPECT_LT(relativeError(lineAmount(s(), 100), c.at100 * perFraction), 1e-9);
  }
}

TEST_F(MolybdenumSpectrum, FiftyCentimetresOfAirAndOffAxisTheExcessPath) {
  s().MuBe.fill(2.0);
  s().MuAl.fill(1.0);
  s().MuAir.fill(0.01);
  texts_.al = std::string("1");
  s().PointX = 3.0;  // ignored on the beam axis
  s().PointY = 4.0;
  ASSERT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kDrawn);
  EXPECT_EQ(s().PointX, 0.0);
  EXPECT_EQ(s().PointY, 0.0);
  const BinArray onAxis = s().Spectrum;

  s().PointMode = 1;
  ASSERT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kDrawn);
  EXPECT_EQ(s().Spectrum, onAxis);  // (0, 0) is the beam axis exactly

  s().PointY = 10.0;  // x = 0: no change of the path factor, only path and distance
  ASSERT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kDrawn);
  const double excess = std::sqrt(4325.0) / 65.0 - 1.0;
  // Beryllium takes no excess path; aluminium (0.1 cm) and air (50 cm) do.
  const double factor = std::exp(-0.1 * excess) * std::exp(-0.5 * excess) * 4225.0 / 4325.0;
  EXPECT_LT(relativeError(s().Spectrum[120], onAxis[120] * factor), 1e-12);
  const double perEnergy = s().TargetSpectrum[120] / 24.0;
  EXPECT_LT(relativeError(onAxis[120], perEnergy * std::exp(-0.16 - 0.1 - 0.5)), 1e-12);
}

TEST_F(MolybdenumSpectrum, SettingsOutsideTheModelDrawAndWriteNothing) {
  s().AxisSpectrumMax = 1.0;
  s().Spectrum.fill(5.0);
  s().PointMode = 1;
  texts_.voltage = std::string("60");  // the display form reads the voltage without a range test
  EXPECT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kOutsideModel);
  texts_.voltage = std::string("30");
  s().PointX = 20.0;  // beyond the heel cut-off at 65 tan 14 = 16.2 cm
  EXPECT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kOutsideModel);
  EXPECT_EQ(s().Spectrum[100], 5.0);

  s().PointMode = 0;
  s().MoStp[0][20] = 25.0;  // the table ends below the tube voltage
  EXPECT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kOutsideModel);
  EXPECT_TRUE(displayGraph_.calls.empty());
  EXPECT_TRUE(spectrumGraph_.calls.empty());
  EXPECT_FALSE(std::filesystem::exists("B_SPCTL.dat"));
  EXPECT_EQ(s().AxisSpectrumMax, 1.0);
}

}  // namespace
}  // namespace palvane
