// The aluminium fitted with palvane's model against the engines: written into B2F.dat as
// the form writes it (two decimals), it must give the engine's reference HVL the measured
// value within 0.003 mm.

#include "palvane/physics/tube_calibration.h"

#include <gtest/gtest.h>

#include <string>

#include "palvane/state/table_loading.h"
#include "palvane_physics/engine_in_scratch.h"
#include "palvane_physics/spectrum_fixture.h"
#include "test_paths.h"
#include "text_files/parameter_file.h"
#include "text_files/result_file.h"

namespace palvane {
namespace {

class TubeCalibration : public SpectrumTest {
 protected:
  void SetUp() override {
    SpectrumTest::SetUp();
    LoadTables(testpaths::kDataDir);
  }

  // The engine's reference HVL in mm (line 105 of Result.dat) for the set-up, with its
  // aluminium as B2F.dat carries it; 0 after a failure.
  double engineHvl(const TubeSetup& setup) {
    const std::string parameterFile = parameterFileText(setup);
    const char* engine =
        setup.target == Target::kMolybdenum ? testpaths::kDornic : testpaths::kVessick;
    if (!runEngineInScratch(scratch_, engine, parameterFile)) {
      ADD_FAILURE() << engine << " is missing or did not end normally";
      return 0.0;
    }
    return readResultMaps(scratch_.path() / "Result.dat").axisHvl;
  }
};

TEST_F(TubeCalibration, FitRecoversTheThicknessTheHvlsWereMadeWith) {
  TubeSetup tube{Target::kMolybdenum, 28, 22, 0, 0.8, 0.2, 0.03, 0};
  const std::optional<double> at25 =
      BeamAxisHvl(s(), {Target::kMolybdenum, 25, 22, 0, 0.8, 0.2, 0.03, 0});
  const std::optional<double> at28 = BeamAxisHvl(s(), tube);
  ASSERT_TRUE(at25 && at28);
  tube.aluminium = 0.0;
  EXPECT_NEAR(FitTubeAluminium(s(), tube, {{28, *at28}}).aluminium, 0.200, 0.002);
  EXPECT_NEAR(FitTubeAluminium(s(), tube, {{25, *at25}, {28, *at28}}).aluminium, 0.200, 0.002);
}

TEST_F(TubeCalibration, RoundedFitGivesTheEnginesTheMeasuredHvlOnBothTargets) {
  constexpr Target kMo = Target::kMolybdenum;
  constexpr Target kW = Target::kTungsten;
  const struct {
    TubeSetup tube;  // the aluminium is fitted
    calibration::HvlPair measured;
  } cases[] = {
      {{kMo, 28, 22, 0, 0.8, 0, 0.03, 0}, {28, 0.31}},
      {{kMo, 30, 10, 4, 0.8, 0, 0, 0.025}, {30, 0.40}},
      {{kW, 28, 10, 4, 0.8, 0, 0, 0.025}, {28, 0.37}},
      {{kW, 35, 22, 0, 0.8, 0, 0, 0.05}, {35, 0.56}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(targetName(c.tube.target)) + ", " +
                 std::to_string(c.measured.tubeVoltage) + " kV");
    const calibration::HvlFit fit = FitTubeAluminium(s(), c.tube, {c.measured});
    EXPECT_GT(fit.aluminium, 0.0);
    TubeSetup engineTube = c.tube;
    engineTube.tubeVoltage = c.measured.tubeVoltage;
    engineTube.aluminium = fit.aluminium;
    EXPECT_NEAR(engineHvl(engineTube), c.measured.hvl, 0.003)
        << "fitted " << fit.aluminium << " mm";
  }
}

}  // namespace
}  // namespace palvane
