#include "calibration/output_calibration.h"

#include <cmath>

namespace calibration {

namespace {

bool positiveFinite(double value) { return value > 0.0 && std::isfinite(value); }

}  // namespace

std::optional<OutputProblem> outputProblem(const OutputCalibration& output) {
  if (!positiveFinite(output.kermaPerLoad)) return OutputProblem::kKermaNotPositive;
  if (!(output.distance >= kNearestOutputDistance && output.distance <= kFarthestOutputDistance)) {
    return OutputProblem::kDistanceOutOfRange;
  }
  if (!std::isfinite(referenceKerma(output))) return OutputProblem::kTooLarge;
  return std::nullopt;
}

double referenceKerma(const OutputCalibration& output) {
  const double ratio = output.distance / palvane::kFocusToImageCm;
  return output.kermaPerLoad * ratio * ratio;
}

std::optional<double> scaledReferenceKerma(const OutputCalibration& output, double modelKerma,
                                           double modelKermaAtMeasurement) {
  if (!isUsable(output) || !positiveFinite(modelKerma) ||
      !positiveFinite(modelKermaAtMeasurement)) {
    return std::nullopt;
  }
  const double kerma = referenceKerma(output) * (modelKerma / modelKermaAtMeasurement);
  if (!std::isfinite(kerma)) return std::nullopt;
  return kerma;
}

std::optional<double> absoluteKerma(double referenceKerma, double relativeKerma) {
  const double kerma = referenceKerma * relativeKerma;
  if (!std::isfinite(kerma)) return std::nullopt;
  return kerma;
}

}  // namespace calibration
