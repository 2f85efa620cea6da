#pragma once

#include <optional>

#include "engine/beam_parameters.h"

namespace engine {

// Heel cut-off in cm: X_max = 65 tan((theta + phi) / 180 pi). Columns with X_j > X_max
// are not computed (the ray would leave through the target surface).
float heelCutOff(const BeamParameters& parameters);

// Path factor G of the column at X (cm): the photon's path length through the target per
// unit depth of production, G = sqrt(1 - tan^2 beta) / (tan theta - tan beta) with
// beta = atan(X / 65) - phi. Empty when the column cannot be computed: a denominator of
// zero or less, a negative root, or a result that is not finite.
std::optional<float> pathFactor(const BeamParameters& parameters, float x);

// Geometry of the field point (X, Y) in cm, 65 cm below the focal spot.
struct PointGeometry {
  float obliquity;      // r = sqrt(X^2 + Y^2 + 4225) / 65: oblique over perpendicular path
  float inverseSquare;  // 4225 / (X^2 + Y^2 + 4225)
};
PointGeometry pointGeometry(float x, float y);

}  // namespace engine
