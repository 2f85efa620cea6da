#include "calibration/heel_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calibration {
namespace {

// A heel that falls off faster the smaller the angle: exp(-X / (10 theta)).
HeelModel exponentialHeel(const std::vector<HeelPoint>& points) {
  return [points](double angle) {
    std::vector<double> values;
    for (const HeelPoint& point : points)
      values.push_back(std::exp(-point.position / (10 * angle)));
    return std::optional<std::vector<double>>(values);
  };
}

TEST(HeelFit, RecoversTheAngleOfModelMadePointsAndRefusesAnUnreachableHeel) {
  std::vector<HeelPoint> points;
  for (double x : {30.0, 60.0, 90.0, 120.0})
    points.push_back({x, std::exp(-x / 180.0), std::nullopt});
  const HeelFit fit = fitTargetAngle(exponentialHeel(points), points);
  EXPECT_EQ(fit.targetAngle, 18.0);
  EXPECT_NEAR(*fit.points[3].modelKerma, std::exp(-120.0 / 180.0), 1e-12);
  EXPECT_NEAR(fit.largestRelativeDifference(), 0.0, 1e-12);

  // Steeper than any angle from 5 degrees up gives: the nearest values are those at 5.
  const std::vector<HeelPoint> steep = {{120.0, 0.01, std::nullopt}};
  try {
    fitTargetAngle(exponentialHeel(steep), steep);
    ADD_FAILURE() << "an unreachable heel was fitted";
  } catch (const HeelUnreachable& error) {
    EXPECT_EQ(error.nearestAngle, 5.0);
    EXPECT_NEAR(error.nearestKerma.at(0), std::exp(-120.0 / 50.0), 1e-12);
  }
}

TEST(HeelFit, KeptInTheProfileWithTheRefittedAluminiumOfTheSetUpsFilter) {
  palvane::TubeSetup setup;
  setup.tubeVoltage = 28;
  setup.targetAngle = 22;
  setup.molybdenum = 0;
  setup.rhodium = 0.025;
  TubeProfile profile;
  FilterCalibration rhodium = FilterCalibration::madeWith(setup);
  rhodium.aluminium = 0.2;
  profile.setFilterCalibration(rhodium);
  HeelAndAluminium fit;
  fit.heel.targetAngle = 16;
  fit.heel.points = {{30, 0.9, 0.91}};
  fit.aluminium = HvlFit{0.15, {{{28, 0.34}, 0.341}}};

  EXPECT_TRUE(keepHeelFit(profile, setup, fit, "2026-12-08"));
  ASSERT_TRUE(profile.heel);
  EXPECT_EQ(profile.heel->filter, "rh");
  EXPECT_EQ(profile.heel->tubeVoltage, 28);
  EXPECT_EQ(profile.heel->targetAngle, 16);
  EXPECT_EQ(profile.heel->date, "2026-12-08");
  const FilterCalibration* kept = profile.filterCalibration("rh");
  EXPECT_EQ(kept->targetAngle, 16);
  EXPECT_EQ(kept->aluminium, 0.15);
  EXPECT_EQ(kept->pairs.size(), 1u);

  // Without a fit for the set-up's filters only the heel is kept.
  setup.rhodium = 0;
  EXPECT_FALSE(keepHeelFit(profile, setup, fit, "2026-12-08"));
  EXPECT_EQ(profile.heel->filter, "none");
  EXPECT_EQ(profile.filterCalibration("none"), nullptr);
}

}  // namespace
}  // namespace calibration
