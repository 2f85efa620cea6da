#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "calibration/hvl_fit.h"
#include "calibration/tube_profile.h"

namespace calibration {

// The target angle is fitted within these, in degrees, to the step the form writes it with
// ("00.0").
inline constexpr double kSmallestHeelAngle = 5.0;
inline constexpr double kLargestHeelAngle = 30.0;
inline constexpr double kHeelAngleStep = 0.1;

// The model's air kerma relative to the beam axis at each measured point for a target
// angle; nullopt where the model has none.
using HeelModel = std::function<std::optional<std::vector<double>>(double targetAngle)>;

struct HeelFit {
  double targetAngle = 0.0;                  // degrees, a multiple of kHeelAngleStep
  std::vector<HeelPoint> points;             // the measured points with the model's values there
  double largestRelativeDifference() const;  // of the model from the measurement
};

// No angle within 5 to 30 degrees brings the model to the measurement: the best lies on a
// bound. Carries that bound and the model's values there.
class HeelUnreachable : public std::runtime_error {
 public:
  HeelUnreachable(double nearestAngle, std::vector<double> nearestKerma);
  double nearestAngle;
  std::vector<double> nearestKerma;
};

// The target angle (to kHeelAngleStep) that minimises the sum of the squared differences
// between the model's relative air kerma and the measured one: every whole degree from 5 to
// 30, then every step within a degree of the best. Throws HeelUnreachable when the best is
// 5 or 30 degrees, FitImpossible without points or where the model has no values.
HeelFit fitTargetAngle(const HeelModel& model, const std::vector<HeelPoint>& points);

// The heel and the aluminium fitted together: the angle with the aluminium of the last
// round, then the aluminium (when there are pairs) with that angle, until the angle stays
// within a step and the aluminium within kAluminiumTolerance (at most 10 rounds).
struct HeelAndAluminium {
  HeelFit heel;
  std::optional<HvlFit> aluminium;
};
HeelAndAluminium fitHeelAndAluminium(const std::function<HeelModel(double aluminium)>& heelModel,
                                     const std::function<HvlModel(double targetAngle)>& hvlModel,
                                     const std::vector<HeelPoint>& points,
                                     const std::vector<HvlPair>& pairs, double startAluminium);

// Keeps a heel fit made at `setup` in the profile: the heel, measured on `date`, and, when the
// fit refitted the aluminium, the profile's fit for the set-up's filters with the fitted
// angle, aluminium and pairs. Whether that aluminium fit was replaced.
bool keepHeelFit(TubeProfile& profile, const palvane::TubeSetup& setup, const HeelAndAluminium& fit,
                 const std::string& date);

}  // namespace calibration
