#include "calibration/output_calibration.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calibration {
namespace {

TEST(OutputCalibration, MeasuredOutputMovedToTheImagePlaneAndCarriedByTheModel) {
  // 100 uGy/mAs at 50 cm: 100 * (50 / 65)^2 = 250000 / 4225 = 59.172 at 65 cm.
  const OutputCalibration output{100.0, 50.0};
  EXPECT_NEAR(referenceKerma(output), 59.172, 0.001);
  // At settings where the model gives 2.2 times the kerma of the measurement's settings:
  // 59.172 * 2.2 = 130.178; a point of relative air kerma 0.8 there gets 104.142.
  const std::optional<double> scaled = scaledReferenceKerma(output, 4.4, 2.0);
  ASSERT_TRUE(scaled);
  EXPECT_NEAR(*scaled, 130.178, 0.001);
  EXPECT_NEAR(*absoluteKerma(*scaled, 0.8), 104.142, 0.001);
  EXPECT_EQ(*scaledReferenceKerma({80.0, 65.0}, 3.0, 3.0), 80.0);

  EXPECT_FALSE(scaledReferenceKerma(output, 0.0, 2.0));
  EXPECT_FALSE(scaledReferenceKerma(output, 1.0, NAN));
  EXPECT_FALSE(absoluteKerma(59.0, NAN));
}

TEST(OutputCalibration, ImplausibleOutputsAreNamed) {
  EXPECT_EQ(outputProblem({0.0, 50.0}), OutputProblem::kKermaNotPositive);
  EXPECT_EQ(outputProblem({INFINITY, 50.0}), OutputProblem::kKermaNotPositive);
  EXPECT_EQ(outputProblem({100.0, 9.9}), OutputProblem::kDistanceOutOfRange);
  EXPECT_EQ(outputProblem({100.0, 200.1}), OutputProblem::kDistanceOutOfRange);
  EXPECT_EQ(outputProblem({100.0, NAN}), OutputProblem::kDistanceOutOfRange);
  // Each finite, but the reference kerma is not: refused rather than shown as inf.
  EXPECT_EQ(outputProblem({1e308, 200.0}), OutputProblem::kTooLarge);
  EXPECT_TRUE(isUsable({120.0, 10.0}));
  EXPECT_TRUE(isUsable({120.0, 200.0}));
}

}  // namespace
}  // namespace calibration
