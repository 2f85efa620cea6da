// palvane's beam-axis HVL against the reference HVL that the engines write to Result.dat
// for the same settings: two independent implementations of one model (the engines in
// single precision with a stepped aluminium search, palvane in double precision with an
// exact root).

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "palvane/physics/beam_quality.h"
#include "palvane/physics/point_beam_quality.h"
#include "palvane/physics/point_spectrum.h"
#include "palvane/state/table_loading.h"
#include "palvane_physics/engine_in_scratch.h"
#include "palvane_physics/spectrum_fixture.h"
#include "test_paths.h"
#include "text_files/result_file.h"

namespace palvane {
namespace {

namespace fs = std::filesystem;

// B2F.dat of the spectrum form's defaults for each target (air layer 60 cm).
constexpr char kMolybdenumSettings[] =
    "0\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n";
constexpr char kTungstenSettings[] =
    "1\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.000\r\n00.025\r\n60.000\r\n";

class EngineHvlAgreement : public SpectrumTest {
 protected:
  void SetUp() override {
    if (!fs::exists(fs::path(testpaths::kDataDir) / "MUs3.dat")) {
      GTEST_SKIP() << "data/MUs3.dat has not been generated yet";
    }
    SpectrumTest::SetUp();
    LoadTables(testpaths::kDataDir);
  }

  // Runs the engine on the settings in the scratch working directory and returns the
  // reference HVL in mm, line 105 of Result.dat; 0 after a failure.
  double engineHvl(const char* engine, const char* settings) {
    if (!runEngineInScratch(scratch_, engine, settings)) {
      ADD_FAILURE() << engine << " is missing or did not end normally";
      return 0.0;
    }
    return readResultMaps(scratch_.path() / "Result.dat").axisHvl;
  }

  // palvane's first HVL in mm of the beam-axis spectrum just computed.
  double palvaneHvl() {
    const std::optional<BeamQuality> quality = PointBeamQuality();
    if (!quality) {
      ADD_FAILURE() << "palvane's beam quality is undefined";
      return 0.0;
    }
    return quality->firstHvl;
  }
};

// Relative difference of a from b.
double relativeDifference(double a, double b) { return std::fabs(a - b) / b; }

TEST_F(EngineHvlAgreement, TungstenBothThroughSixtyCentimetresOfAir) {
  // Same model, same 60 cm of air: only single against double precision and the engine's
  // 0.01 mm steps (with logarithmic interpolation between them) can part the two.
  s().TargetType = 1;
  texts_.mo = "0";
  texts_.rh = "0.025";
  ASSERT_EQ(ComputePointSpectrumW(), PointSpectrumOutcome::kDrawn);
  const double engine = engineHvl(testpaths::kVessick, kTungstenSettings);
  EXPECT_LT(relativeDifference(palvaneHvl(), engine), 0.01)
      << "palvane " << palvaneHvl() << " mm, vessick " << engine << " mm";
}

TEST_F(EngineHvlAgreement, MolybdenumThroughFiftyAgainstSixtyCentimetresOfAir) {
  // palvane's molybdenum routine crosses 50 cm of air, the engine the 60 cm of B2F.dat.
  // The missing 10 cm (0.012 g/cm^2 of air) take about 6 % of the photons at 10 keV and
  // 1 % at 20 keV, a mild hardening: palvane's HVL must come out lower, by well under 3 %.
  ASSERT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kDrawn);
  const double palvane = palvaneHvl();
  const double engine = engineHvl(testpaths::kDornic, kMolybdenumSettings);
  EXPECT_LT(palvane, engine);
  EXPECT_LT(relativeDifference(palvane, engine), 0.03)
      << "palvane " << palvane << " mm, dornic " << engine << " mm";

  // Sending palvane's spectrum through the missing 10 cm of air as well leaves only the
  // characteristic lines apart: the engine scales them with the continuum after 60 cm
  // of air, this correction attenuates them at their own energies, a difference of a few
  // tenths of a per cent in their weight. The two must then agree within 1 %.
  BinArray throughSixty = s().Spectrum;
  for (int i = 1; i <= kLastBin; ++i) throughSixty[i] *= std::exp(-s().MuAir[i] * 10.0);
  const std::optional<BeamQuality> corrected =
      computeBeamQuality(throughSixty, s().MuAl, s().MuEnAir);
  ASSERT_TRUE(corrected);
  EXPECT_LT(relativeDifference(corrected->firstHvl, engine), 0.01)
      << "palvane through 60 cm " << corrected->firstHvl << " mm, dornic " << engine << " mm";
}

}  // namespace
}  // namespace palvane
