#pragma once

#include <optional>

#include "text_files/tube_setup.h"

namespace calibration {

// The reference point of the maps lies in the image plane, palvane::kFocusToImageCm from
// the focal spot.
// An output is taken as measured within these distances from the focal spot, in cm.
inline constexpr double kNearestOutputDistance = 10.0;
inline constexpr double kFarthestOutputDistance = 200.0;

// A measured tube output: air kerma per tube load on the beam axis at a distance from the
// focal spot, for the settings it was measured at.
struct OutputCalibration {
  double kermaPerLoad = 0.0;  // uGy/mAs
  double distance = 0.0;      // cm from the focal spot
  friend bool operator==(const OutputCalibration&, const OutputCalibration&) = default;
};

// What makes an output unusable: an air kerma that is not a positive, finite number, a
// distance outside 10 to 200 cm, or both so large that the reference kerma is not finite.
enum class OutputProblem { kKermaNotPositive, kDistanceOutOfRange, kTooLarge };
std::optional<OutputProblem> outputProblem(const OutputCalibration& output);
inline bool isUsable(const OutputCalibration& output) { return !outputProblem(output); }

// The air kerma per tube load at the reference point, 65 cm from the focal spot, in
// uGy/mAs, for the settings the output was measured at: the measured one moved there by
// the inverse square of the distance. The difference in the air crossed on the way is not
// taken into account.
double referenceKerma(const OutputCalibration& output);

// The reference kerma in uGy/mAs at other settings of the same target, the measured output
// carried there by the model:
//   K_ref(s) = K_meas * (d / 65)^2 * K_model(s) / K_model(s_meas),
// with K_model the model's beam-axis air kerma at the reference point at the settings asked
// for and at those of the measurement (any unit, the same for both). nullopt for an
// unusable output, model values that are not positive and finite, or a result that is not
// finite.
std::optional<double> scaledReferenceKerma(const OutputCalibration& output, double modelKerma,
                                           double modelKermaAtMeasurement);

// The absolute air kerma in uGy/mAs of a point with the given air kerma relative to the
// reference point; nullopt when either is not finite.
std::optional<double> absoluteKerma(double referenceKerma, double relativeKerma);

}  // namespace calibration
