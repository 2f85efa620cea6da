#include "palvane/physics/beam_geometry.h"

#include <cmath>

#include "palvane/physics/model_constants.h"
#include "palvane/physics/point_model.h"
#include "text_files/tube_setup.h"

namespace palvane {

namespace {
constexpr double kImageDistance = kFocusToImageCm;
constexpr double kImageDistanceSquared = kImageDistance * kImageDistance;
}  // namespace

PointGeometry pointGeometry(SharedState& shared) {
  if (shared.PointMode == 0) {
    shared.PointX = 0.0;
    shared.PointY = 0.0;
    return PointGeometry{};
  }
  return geometryAt({shared.PointX, shared.PointY}, shared.Pi);
}

PointGeometry geometryAt(ImagePoint point, double pi) {
  const double x = point.x;
  const double y = point.y;
  PointGeometry geometry;
  geometry.offAxisAngle = offAxisAngle(x, pi);
  geometry.obliquePath = std::sqrt(x * x + y * y + kImageDistanceSquared) / kImageDistance;
  geometry.inverseSquare = kImageDistanceSquared / (x * x + y * y + kImageDistanceSquared);
  return geometry;
}

double offAxisAngle(double x, double pi) { return std::atan(x / kImageDistance) * 180.0 / pi; }

bool beyondHeelCutOff(double x, double theta, double phi, double pi) {
  return !PathFactor(offAxisAngle(x, pi), phi, theta, pi);
}

std::optional<double> PathFactor(double alpha, double phi, double theta, double pi) {
  const double beta = alpha - phi;
  const double tanBeta = std::tan(pi * beta / 180.0);
  const double tanTheta = std::tan(pi * theta / 180.0);
  const double numeratorSquared = 1.0 - tanBeta * tanBeta;
  const double denominator = tanTheta - tanBeta;
  if (!(numeratorSquared >= 0.0) || !(denominator > 0.0)) return std::nullopt;
  return std::sqrt(numeratorSquared) / denominator;
}

double ThomsonWhiddingtonConstant(double V) {
  const auto& [k0, k1, k2, k3, k4] = kDepthEnergyCoefficients;
  return k0 + k1 * V + k2 * V * V + k3 * V * V * V + k4 * V * V * V * V;
}

}  // namespace palvane
