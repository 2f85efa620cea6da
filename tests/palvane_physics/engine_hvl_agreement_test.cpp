// palvane's beam-axis HVL against the reference HVL that the engines write to Result.dat
// for the same settings: two independent implementations of one model (the engines in
// single precision with a stepped aluminium search, palvane in double precision with an
// exact root).

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/beam_quality.h"
#include "palvane/physics/point_beam_quality.h"
#include "palvane/physics/point_spectrum.h"
#include "palvane/physics/tube_calibration.h"
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

namespace palvane {
namespace {

TEST_F(EngineHvlAgreement, AbsoluteKermaFollowsTheTubeVoltageAsTheEnginesReferenceKerma) {
  // 80 uGy/mAs at 60 cm measured at W/Rh 30 kV; at 25 kV it is 80 (60 / 65)^2 times the
  // ratio of the model's reference air kerma at 25 and at 30 kV. palvane takes the ratio
  // from its double-precision model; the engines' (two runs) agree to within 1 %.
  const TubeSetup at30{Target::kTungsten, 30.0, 10.0, 4.0, 0.8, 0.0, 0.0, 0.025};
  TubeSetup at25 = at30;
  at25.tubeVoltage = 25.0;
  const calibration::OutputMeasurement output{{80.0, 60.0}, at30, "2026-12-08"};
  ASSERT_TRUE(runEngineInScratch(scratch_, testpaths::kVessick, kTungstenSettings));
  const double engine30 = readResultMaps(scratch_.path() / "Result.dat").referenceAirKerma;
  ASSERT_TRUE(runEngineInScratch(
      scratch_, testpaths::kVessick,
      "1\r\n25.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.000\r\n00.025\r\n60.000\r\n"));
  const double engine25 = readResultMaps(scratch_.path() / "Result.dat").referenceAirKerma;
  const double byHand = 80.0 * (60.0 / 65.0) * (60.0 / 65.0) * engine25 / engine30;

  const AbsoluteScale scale = absoluteScale(s(), at25, output);
  ASSERT_TRUE(scale.referenceKerma);
  EXPECT_LT(relativeDifference(*scale.referenceKerma, byHand), 0.01)
      << "palvane " << *scale.referenceKerma << ", by hand " << byHand;
  EXPECT_DOUBLE_EQ(*absoluteScale(s(), at30, output).referenceKerma,
                   80.0 * (60.0 / 65.0) * (60.0 / 65.0));
  // Silver at the settings and not at the measurement: the scale falls as the engines'
  // reference air kerma falls with it.
  ASSERT_TRUE(runEngineInScratch(scratch_, testpaths::kVessick,
                                 std::string(kTungstenSettings) + "filter ag 00.050\r\n"));
  const double engineSilver = readResultMaps(scratch_.path() / "Result.dat").referenceAirKerma;
  TubeSetup silver = at30;
  silver.addedFilters = {{"ag", 0.05}};
  const AbsoluteScale filtered = absoluteScale(s(), silver, output);
  ASSERT_TRUE(filtered.referenceKerma) << filtered.reason;
  const double silverByHand = 80.0 * (60.0 / 65.0) * (60.0 / 65.0) * engineSilver / engine30;
  EXPECT_LT(relativeDifference(*filtered.referenceKerma, silverByHand), 0.01)
      << "palvane " << *filtered.referenceKerma << ", by hand " << silverByHand;
  // The other target has no absolute value, and says why.
  TubeSetup molybdenumTarget = at25;
  molybdenumTarget.target = Target::kMolybdenum;
  const AbsoluteScale molybdenum = absoluteScale(s(), molybdenumTarget, output);
  EXPECT_FALSE(molybdenum.referenceKerma);
  EXPECT_EQ(molybdenum.reason, "no output measured for molybdenum");
}

}  // namespace
}  // namespace palvane
