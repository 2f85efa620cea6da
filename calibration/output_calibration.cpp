#include "calibration/output_calibration.h"

#include <cmath>

namespace calibration {

bool isUsable(const OutputCalibration& output) {
  return output.kermaPerLoad > 0.0 && std::isfinite(output.kermaPerLoad) && output.distance > 0.0 &&
         std::isfinite(output.distance) && std::isfinite(referenceKerma(output));
}

double referenceKerma(const OutputCalibration& output) {
  const double ratio = output.distance / kReferenceDistance;
  return output.kermaPerLoad * ratio * ratio;
}

std::optional<double> absoluteKerma(const OutputCalibration& output, double relativeKerma) {
  if (!isUsable(output) || !std::isfinite(relativeKerma)) return std::nullopt;
  const double kerma = referenceKerma(output) * relativeKerma;
  if (!std::isfinite(kerma)) return std::nullopt;
  return kerma;
}

}  // namespace calibration
