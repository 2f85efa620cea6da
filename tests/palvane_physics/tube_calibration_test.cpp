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

  // The engine's reference HVL in mm (line 105 of Result.dat) for the settings, with the
  // aluminium in mm as B2F.dat carries it; 0 after a failure.
  double engineHvl(int targetType, const TubeSettings& tube, double aluminium) {
    const TubeSetup setup{targetOfFlag(targetType), tube.tubeVoltage,    tube.targetAngle,
                          tube.tiltAngle,           10 * tube.beryllium, aluminium,
                          10 * tube.molybdenum,     10 * tube.rhodium};
    const std::string parameterFile = parameterFileText(setup);
    const char* engine = targetType == 0 ? testpaths::kDornic : testpaths::kVessick;
    if (!runEngineInScratch(scratch_, engine, parameterFile)) {
      ADD_FAILURE() << engine << " is missing or did not end normally";
      return 0.0;
    }
    return readResultMaps(scratch_.path() / "Result.dat").axisHvl;
  }
};

TEST_F(TubeCalibration, FitRecoversTheThicknessTheHvlsWereMadeWith) {
  TubeSettings tube{28, 22, 0, 0.08, 0.02, 0.003, 0};  // cm, 0.2 mm of aluminium
  const std::optional<double> at25 = BeamAxisHvl(s(), 0, {25, 22, 0, 0.08, 0.02, 0.003, 0});
  const std::optional<double> at28 = BeamAxisHvl(s(), 0, tube);
  ASSERT_TRUE(at25 && at28);
  tube.aluminium = 0.0;
  EXPECT_NEAR(FitTubeAluminium(s(), 0, tube, {{28, *at28}}).aluminium, 0.200, 0.002);
  EXPECT_NEAR(FitTubeAluminium(s(), 0, tube, {{25, *at25}, {28, *at28}}).aluminium, 0.200, 0.002);
}

TEST_F(TubeCalibration, RoundedFitGivesTheEnginesTheMeasuredHvlOnBothTargets) {
  const struct {
    int targetType;
    TubeSettings tube;  // cm; the aluminium is fitted
    calibration::HvlPair measured;
  } cases[] = {
      {0, {28, 22, 0, 0.08, 0, 0.003, 0}, {28, 0.31}},
      {0, {30, 10, 4, 0.08, 0, 0, 0.0025}, {30, 0.40}},
      {1, {28, 10, 4, 0.08, 0, 0, 0.0025}, {28, 0.37}},
      {1, {35, 22, 0, 0.08, 0, 0, 0.005}, {35, 0.56}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("target " + std::to_string(c.targetType) + ", " +
                 std::to_string(c.measured.tubeVoltage) + " kV");
    const calibration::HvlFit fit = FitTubeAluminium(s(), c.targetType, c.tube, {c.measured});
    EXPECT_GT(fit.aluminium, 0.0);
    TubeSettings engineTube = c.tube;
    engineTube.tubeVoltage = c.measured.tubeVoltage;
    EXPECT_NEAR(engineHvl(c.targetType, engineTube, fit.aluminium), c.measured.hvl, 0.003)
        << "fitted " << fit.aluminium << " mm";
  }
}

}  // namespace
}  // namespace palvane
