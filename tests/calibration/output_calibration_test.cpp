#include "calibration/output_calibration.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calibration {
namespace {

TEST(OutputCalibration, MeasuredOutputMovedToTheImagePlaneByInverseSquare) {
  // 100 uGy/mAs at 50 cm: 100 * (50 / 65)^2 = 250000 / 4225 = 59.172 at 65 cm, and a
  // point of relative air kerma 0.8 gets 47.337.
  const OutputCalibration output{100.0, 50.0};
  EXPECT_NEAR(referenceKerma(output), 59.172, 0.001);
  EXPECT_NEAR(*absoluteKerma(output, 0.8), 47.337, 0.001);
  EXPECT_EQ(*absoluteKerma({80.0, 65.0}, 1.0), 80.0);

  EXPECT_FALSE(absoluteKerma({100.0, 0.0}, 1.0));
  EXPECT_FALSE(absoluteKerma({0.0, 50.0}, 1.0));
  EXPECT_FALSE(absoluteKerma({100.0, INFINITY}, 1.0));
  EXPECT_FALSE(absoluteKerma(output, NAN));
  // Each finite, but the reference kerma is not: refused rather than shown as inf.
  EXPECT_FALSE(isUsable({1e300, 1e300}));
  EXPECT_TRUE(isUsable({120.0, 50.0}));
}

}  // namespace
}  // namespace calibration
