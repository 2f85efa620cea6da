#include "palvane/physics/point_beam_quality.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "palvane/physics/point_spectrum.h"
#include "palvane_physics/spectrum_fixture.h"

namespace palvane {
namespace {

constexpr char kFullAirKerma[] = "Relative air kerma 100.0 %";

// Aluminium and air absorption on every bin, no other attenuation: a picked point's
// spectrum is then the beam axis's times the inverse-square factor, whatever its shape.
class PointBeamQualityTest : public SpectrumTest {
 protected:
  void SetUp() override {
    SpectrumTest::SetUp();
    s().MuAl.fill(10.0);
    s().MuEnAir.fill(1.0);
  }

  std::vector<std::string> readoutAt(int pointMode, double x, double y) {
    s().PointMode = pointMode;
    s().PointX = x;
    s().PointY = y;
    EXPECT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kDrawn);
    return PointBeamQualityReadout();
  }
};

TEST_F(PointBeamQualityTest, PickedPointsAreRelativeToTheBeamAxisOfTheSameSettings) {
  const std::vector<std::string> axis = readoutAt(0, 0.0, 0.0);
  ASSERT_EQ(axis.size(), 5u);
  EXPECT_EQ(axis[4], kFullAirKerma);
  EXPECT_GT(s().AxisAirKerma, 0.0);

  EXPECT_EQ(readoutAt(1, 0.0, 0.0)[4], kFullAirKerma);
  // 65 cm across the axis: the inverse square 4225 / (65^2 + 4225) halves the kerma, and
  // without filters off the axis the spectrum keeps its shape and its HVLs.
  const std::vector<std::string> across = readoutAt(1, 0.0, 65.0);
  ASSERT_EQ(across.size(), 5u);
  EXPECT_EQ(across[4], "Relative air kerma 50.0 %");
  EXPECT_EQ(across[1], axis[1]);

  // Another tube voltage is another beam: no comparison with the old beam axis.
  texts_.voltage = "28";
  EXPECT_EQ(readoutAt(1, 0.0, 0.0).size(), 4u);
  // The same settings written differently are the same settings.
  texts_.voltage = "30.0";
  EXPECT_EQ(readoutAt(1, 0.0, 0.0)[4], kFullAirKerma);
  s().TargetType = 1;
  EXPECT_EQ(PointBeamQualityReadout().size(), 4u) << "another target";
}

TEST_F(PointBeamQualityTest, AnUndefinedBeamAxisLeavesNoReference) {
  readoutAt(0, 0.0, 0.0);
  s().MuEnAir.fill(0.0);  // no air kerma at all
  EXPECT_EQ(readoutAt(0, 0.0, 0.0), std::vector<std::string>{kBeamQualityUndefinedText});
  EXPECT_EQ(s().AxisAirKerma, 0.0);
  s().MuEnAir.fill(1.0);
  EXPECT_EQ(readoutAt(1, 0.0, 0.0).size(), 4u);
}

}  // namespace
}  // namespace palvane
