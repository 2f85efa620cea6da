#include "palvane/physics/beam_quality.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace palvane {
namespace {

// Thickness tolerance in mm: well inside the 0.001 mm the read-outs show.
constexpr double kMillimetreTolerance = 1e-9;

// Photon numbers, aluminium attenuation per cm and air energy absorption by bin, all 0.
struct SpectrumWithTables {
  BinArray photons{};
  BinArray aluminium{};
  BinArray airAbsorption{};

  void setBin(int bin, double count, double aluminiumPerCm, double absorption) {
    photons[bin] = count;
    aluminium[bin] = aluminiumPerCm;
    airAbsorption[bin] = absorption;
  }
  std::optional<BeamQuality> quality() const {
    return computeBeamQuality(photons, aluminium, airAbsorption);
  }
};

TEST(BeamQuality, OneBinHalvesEveryLayerAlike) {
  // A single energy: each HVL is ln 2 / mu, thick (above 3 mm) or thin alike.
  for (double mu : {1000.0, 8.0, 0.5}) {
    SpectrumWithTables beam;
    beam.setBin(100, 5.0, mu, 0.5);
    beam.aluminium[60] = 3.0;  // coefficients of empty bins do not count
    beam.airAbsorption[60] = 7.0;
    const auto quality = beam.quality();
    ASSERT_TRUE(quality) << mu;
    const double hvl = 10.0 * std::log(2.0) / mu;
    EXPECT_NEAR(quality->firstHvl, hvl, kMillimetreTolerance) << mu;
    EXPECT_NEAR(quality->secondHvl, hvl, kMillimetreTolerance) << mu;
    EXPECT_NEAR(quality->homogeneity, 1.0, 1e-9) << mu;
    EXPECT_DOUBLE_EQ(quality->meanEnergy, 20.0);
    EXPECT_DOUBLE_EQ(quality->airKerma, 0.5 * 5.0 * 20.0);
  }
}

TEST(BeamQuality, TwoBinsMatchTheQuadraticOfTheirTransmission) {
  // 10 keV: 3 photons, absorption 2, mu 10 per cm -> kerma 60;
  // 30 keV: 1 photon, absorption 1, mu 5 per cm -> kerma 30.
  // With x = exp(-5 t) the transmission is (2/3) x^2 + (1/3) x, a quadratic in x.
  SpectrumWithTables beam;
  beam.setBin(50, 3.0, 10.0, 2.0);
  beam.setBin(150, 1.0, 5.0, 1.0);
  const auto thicknessMm = [](double fraction) {
    const double a = 2.0 / 3.0, b = 1.0 / 3.0;
    const double x = (-b + std::sqrt(b * b + 4.0 * a * fraction)) / (2.0 * a);
    return 10.0 * -std::log(x) / 5.0;
  };
  const auto quality = beam.quality();
  ASSERT_TRUE(quality);
  EXPECT_NEAR(quality->firstHvl, 0.857300, 1e-6);  // x = (sqrt 13 - 1) / 4 = 0.651388
  EXPECT_NEAR(quality->firstHvl, thicknessMm(0.5), kMillimetreTolerance);
  EXPECT_NEAR(quality->secondHvl, thicknessMm(0.25) - thicknessMm(0.5), kMillimetreTolerance);
  EXPECT_NEAR(quality->homogeneity, quality->firstHvl / quality->secondHvl, 1e-12);
  EXPECT_DOUBLE_EQ(quality->meanEnergy, (3.0 * 10.0 + 1.0 * 30.0) / 4.0);
  EXPECT_DOUBLE_EQ(quality->airKerma, 90.0);
}

// The thickness in mm at which the kerma falls to `fraction`, by plain bisection.
double bisectedThickness(const SpectrumWithTables& beam, double fraction) {
  const auto transmission = [&](double cm) {
    double left = 0.0, total = 0.0;
    for (int i = 1; i <= kLastBin; ++i) {
      const double kerma = beam.airAbsorption[i] * beam.photons[i] * 0.2 * i;
      total += kerma;
      left += kerma * std::exp(-beam.aluminium[i] * cm);
    }
    return left / total;
  };
  double low = 0.0, high = 10.0;
  for (int step = 0; step < 200; ++step) {
    const double middle = 0.5 * (low + high);
    (transmission(middle) > fraction ? low : high) = middle;
  }
  return 10.0 * low;
}

TEST(BeamQuality, BroadSpectrumHardensSoTheSecondLayerIsThicker) {
  // A flat spectrum from 10 to 30 keV with aluminium attenuation falling as 1 / E^3.
  SpectrumWithTables beam;
  for (int i = 50; i <= 150; ++i) {
    const double energy = 0.2 * i;
    beam.setBin(i, 1.0, 0.4 + 70000.0 / (energy * energy * energy), 1.0);
  }
  const auto quality = beam.quality();
  ASSERT_TRUE(quality);
  const double half = bisectedThickness(beam, 0.5);
  EXPECT_NEAR(quality->firstHvl, half, 1e-7);
  EXPECT_NEAR(quality->secondHvl, bisectedThickness(beam, 0.25) - half, 1e-7);
  EXPECT_GT(quality->secondHvl, quality->firstHvl);
  EXPECT_LT(quality->homogeneity, 1.0);
  EXPECT_NEAR(quality->meanEnergy, 20.0, 1e-12);
}

TEST(BeamQuality, SpectraWithoutUsableKermaAreUndefined) {
  EXPECT_FALSE(SpectrumWithTables{}.quality()) << "no photons";

  SpectrumWithTables noAbsorption;
  noAbsorption.setBin(100, 5.0, 8.0, 0.0);
  EXPECT_FALSE(noAbsorption.quality());

  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  for (double badCount : {-1.0, nan, infinity}) {
    SpectrumWithTables beam;
    beam.setBin(100, 5.0, 8.0, 0.5);
    beam.photons[120] = badCount;
    EXPECT_FALSE(beam.quality()) << badCount;
  }
  // A bin carrying kerma whose aluminium coefficient cannot halve it.
  for (double badMu : {0.0, -2.0, nan, infinity}) {
    SpectrumWithTables beam;
    beam.setBin(100, 5.0, 8.0, 0.5);
    beam.setBin(120, 5.0, badMu, 0.5);
    EXPECT_FALSE(beam.quality()) << badMu;
  }
  SpectrumWithTables badAbsorption;
  badAbsorption.setBin(100, 5.0, 8.0, nan);
  EXPECT_FALSE(badAbsorption.quality());
}

TEST(BeamQualityLines, ShowRoundedValuesWithTheirUnits) {
  const BeamQuality quality{17.854, 0.3124, 0.4, 0.781, 923.0};
  EXPECT_EQ(
      beamQualityLines(quality, 1000.0),
      (std::vector<std::string>{"Mean energy  17.85 keV", "HVL1  0.312 mm Al", "HVL2  0.400 mm Al",
                                "Homogeneity 0.78", "Relative air kerma 92.3 %"}));
  // Without a positive beam-axis kerma the relative line is left out.
  for (std::optional<double> axis :
       {std::optional<double>{}, std::optional<double>{0.0}, std::optional<double>{-4.0}}) {
    EXPECT_EQ(beamQualityLines(quality, axis).size(), 4u);
  }
  EXPECT_EQ(beamQualityLines(std::nullopt, 1000.0),
            std::vector<std::string>{kBeamQualityUndefinedText});
}

}  // namespace
}  // namespace palvane
