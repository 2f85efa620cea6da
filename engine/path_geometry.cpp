#include "engine/path_geometry.h"

#include <cmath>

#include "engine/bins.h"
#include "engine/single_functions.h"

namespace engine {

// Every step below is single precision, in the order the model writes it.

float heelCutOff(const BeamParameters& parameters) {
  const float angle = (parameters.targetAngle + parameters.tiltAngle) / 180.0f * kPi;
  return kFocusToPlane * tanSingle(angle);
}

std::optional<float> pathFactor(const BeamParameters& parameters, float x) {
  const float alpha = atanSingle(x / kFocusToPlane) * 180.0f / kPi;
  const float beta = alpha - parameters.tiltAngle;
  const float tanTheta = tanSingle(parameters.targetAngle * kPi / 180.0f);
  const float tanBeta = tanSingle(beta * kPi / 180.0f);
  const float root = 1.0f - tanBeta * tanBeta;
  const float denominator = tanTheta - tanBeta;
  if (!(root >= 0.0f) || !(denominator > 0.0f)) return std::nullopt;
  const float factor = std::sqrt(root) / denominator;
  if (!std::isfinite(factor)) return std::nullopt;
  return factor;
}

PointGeometry pointGeometry(float x, float y) {
  // Squares as products, so that every optimisation level gives the same floats.
  const float squaredDistance = x * x + y * y + kFocusToPlaneSquared;
  return {std::sqrt(squaredDistance) / kFocusToPlane, kFocusToPlaneSquared / squaredDistance};
}

}  // namespace engine
