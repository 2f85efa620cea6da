#include "calibration/hvl_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calibration {
namespace {

// A smooth, rising, curved model: HVL in mm for kV and aluminium in mm.
std::optional<double> curvedModel(double kV, double aluminium) {
  return 0.008 * kV * std::sqrt(0.5 + aluminium);
}

// A straight model per voltage, so that the least-squares thickness has a closed form.
double intercept(double kV) { return 0.01 * kV; }
double slope(double kV) { return 0.004 * kV; }
std::optional<double> straightModel(double kV, double aluminium) {
  return intercept(kV) + slope(kV) * aluminium;
}

TEST(HvlFit, OnePairRecoversTheThicknessItWasMadeWith) {
  const double measured = *curvedModel(28, 0.2);
  const HvlFit fit = fitAluminium(curvedModel, {{28, measured}});
  EXPECT_NEAR(fit.aluminium, 0.200, 0.001);
  ASSERT_EQ(fit.pairs.size(), 1u);
  EXPECT_NEAR(fit.pairs[0].modelHvl, measured, 0.001);
  EXPECT_NEAR(fit.pairs[0].difference(), 0.0, 0.001);
}

TEST(HvlFit, SeveralPairsMinimiseTheSquaredRelativeDifferences) {
  // Two pairs that no one thickness meets. For straight models h = a + b t the sum of
  // ((a + b t - m) / m)^2 is least at t = sum(b (m - a) / m^2) / sum(b^2 / m^2).
  const HvlPair pairs[] = {{25, 0.30}, {35, 0.50}};
  double numerator = 0.0, denominator = 0.0;
  for (const HvlPair& pair : pairs) {
    const double a = intercept(pair.tubeVoltage), b = slope(pair.tubeVoltage), m = pair.hvl;
    numerator += b * (m - a) / (m * m);
    denominator += b * b / (m * m);
  }
  const double expected = numerator / denominator;  // 0.1396 / 0.1895 = 0.736 by hand
  const HvlFit fit = fitAluminium(straightModel, {pairs[0], pairs[1]});
  EXPECT_NEAR(fit.aluminium, expected, 0.001);
  ASSERT_EQ(fit.pairs.size(), 2u);
  // One model HVL above its measurement, one below; the larger miss is reported.
  EXPECT_GT(fit.pairs[0].difference(), 0.0);
  EXPECT_LT(fit.pairs[1].difference(), 0.0);
  const double first = fit.pairs[0].relativeDifference(),
               second = fit.pairs[1].relativeDifference();
  EXPECT_EQ(fit.largestRelativeDifference(), std::fabs(first) > std::fabs(second) ? first : second);
}

TEST(HvlFit, UnreachableHvlsAreReportedWithTheModelsBound) {
  // 28 kV: 0.28 mm with no aluminium, 0.28 + 0.112 * 5 = 0.84 mm with the thickest.
  try {
    fitAluminium(straightModel, {{28, 0.25}});
    ADD_FAILURE() << "a measured HVL below the bare beam's was fitted";
  } catch (const UnreachableHvl& error) {
    EXPECT_TRUE(error.belowModel());
    EXPECT_EQ(error.boundAluminium, 0.0);
    EXPECT_NEAR(error.boundHvl, 0.28, 1e-12);
  }
  try {
    fitAluminium(straightModel, {{30, 0.4}, {28, 0.9}});
    ADD_FAILURE() << "a measured HVL above the model's with 5 mm was fitted";
  } catch (const UnreachableHvl& error) {
    EXPECT_FALSE(error.belowModel());
    EXPECT_EQ(error.pair.tubeVoltage, 28.0);
    EXPECT_EQ(error.boundAluminium, kThickestAluminium);
    EXPECT_NEAR(error.boundHvl, 0.84, 1e-12);
  }
  EXPECT_THROW(fitAluminium(straightModel, {}), FitImpossible);
  EXPECT_THROW(fitAluminium(straightModel, {{55, 0.3}}), FitImpossible);
  EXPECT_THROW(fitAluminium([](double, double) { return std::optional<double>(); }, {{28, 0.3}}),
               FitImpossible);
}

TEST(HvlFit, PairProblems) {
  EXPECT_FALSE(pairProblem({20, 0.3}));
  EXPECT_FALSE(pairProblem({50, 0.3}));
  EXPECT_EQ(pairProblem({19.9, 0.3}), PairProblem::kTubeVoltageOutOfRange);
  EXPECT_EQ(pairProblem({50.1, 0.3}), PairProblem::kTubeVoltageOutOfRange);
  EXPECT_EQ(pairProblem({28, 0.0}), PairProblem::kHvlNotPositive);
  EXPECT_EQ(pairProblem({28, -0.3}), PairProblem::kHvlNotPositive);
  EXPECT_EQ(pairProblem({28, NAN}), PairProblem::kHvlNotPositive);
}

}  // namespace
}  // namespace calibration
