#pragma once

#include <optional>

namespace calibration {

// The image plane, where the reference point of the maps lies, is this far from the
// focal spot, in cm.
inline constexpr double kReferenceDistance = 65.0;

// A measured tube output: air kerma per tube load on the beam axis at a distance from the
// focal spot, for the settings of the run.
struct OutputCalibration {
  double kermaPerLoad = 0.0;  // uGy/mAs
  double distance = 0.0;      // cm from the focal spot
};

// The output is usable: a positive, finite air kerma at a positive, finite distance, whose
// reference kerma is finite too.
bool isUsable(const OutputCalibration& output);

// The air kerma per tube load at the reference point, 65 cm from the focal spot, in
// uGy/mAs: the measured one moved there by the inverse square of the distance. The
// difference in the air crossed on the way is not taken into account.
double referenceKerma(const OutputCalibration& output);

// The absolute air kerma in uGy/mAs of a map point with the given air kerma relative to
// the reference point; nullopt for an unusable output or a relative value that is not a
// finite number.
std::optional<double> absoluteKerma(const OutputCalibration& output, double relativeKerma);

}  // namespace calibration
