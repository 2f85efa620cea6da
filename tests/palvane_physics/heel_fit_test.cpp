// The heel fit with palvane's own model: the angle its spectra were made at comes back.

#include <gtest/gtest.h>

#include <filesystem>

#include "calibration/heel_fit.h"
#include "palvane/physics/tube_calibration.h"
#include "palvane/state/table_loading.h"
#include "palvane_physics/spectrum_fixture.h"
#include "test_paths.h"

namespace palvane {
namespace {

TEST_F(SpectrumTest, HeelFitRecoversTheTargetAngleOfModelMadePoints) {
  if (!std::filesystem::exists(std::filesystem::path(testpaths::kDataDir) / "MUs3.dat")) {
    GTEST_SKIP() << "data/MUs3.dat has not been generated yet";
  }
  LoadTables(testpaths::kDataDir);
  // Mo/Rh 28 kV, phi 0, made at theta = 18 degrees.
  TubeSetup at18;
  at18.tubeVoltage = 28.0;
  at18.targetAngle = 18.0;
  at18.tiltAngle = 0.0;
  at18.molybdenum = 0.0;
  at18.rhodium = 0.025;
  std::vector<calibration::HeelPoint> points;
  for (double x : {30.0, 60.0, 90.0, 120.0}) points.push_back({x, 0.0, std::nullopt});
  const std::optional<std::vector<double>> made = HeelRelativeKerma(s(), at18, points);
  ASSERT_TRUE(made);
  for (std::size_t n = 0; n < points.size(); ++n) points[n].relativeKerma = (*made)[n];
  EXPECT_LT(points[3].relativeKerma, points[0].relativeKerma);  // the heel falls off

  const calibration::HeelFit fit = calibration::fitTargetAngle(
      [&](double angle) {
        TubeSetup tube = at18;
        tube.targetAngle = angle;
        return HeelRelativeKerma(s(), tube, points);
      },
      points);
  EXPECT_NEAR(fit.targetAngle, 18.0, 0.1);
}

}  // namespace
}  // namespace palvane
