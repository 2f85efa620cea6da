#pragma once

#include <optional>
#include <string>

#include "calibration/tube_profile.h"
#include "palvane/physics/exports.h"
#include "palvane/state/shared_state.h"

namespace palvane {

// The read-outs' pattern of an absolute air kerma in uGy/mAs.
inline constexpr char kAbsoluteKermaPattern[] = "##0.00";

// The absolute scale of the air kerma at one set of settings: the reference kerma in
// uGy/mAs (the measured output carried to the settings by the model), or why there is none.
struct AbsoluteScale {
  std::optional<double> referenceKerma;
  // Empty without an output; otherwise, when there is no reference kerma, why:
  // "no output measured for tungsten".
  std::string reason;
  // K_model(s) / K_model(s_meas), with the reference kerma.
  double modelRatio = 1.0;
};

// The scale of the set-up (target, settings and added layers) for the output: its
// reference kerma times the ratio of BeamAxisAirKerma at the set-up and at that of the
// measurement, each with its own added layers (palvane's double-precision model for both).
// No reference kerma for another target than the output's, layers the tables cannot model,
// or where the model gives no air kerma.
AbsoluteScale absoluteScale(const ModelTables& tables, const TubeSetup& setup,
                            const std::optional<calibration::OutputMeasurement>& output);

// The absolute air kerma in uGy/mAs of a kept spectrum: the scale's reference kerma times
// the spectrum's air kerma relative to its beam-axis reference; nullopt without a reference
// kerma, a beam quality or a known reference.
std::optional<double> spectrumAbsoluteKerma(const SpectrumExportSettings& settings,
                                            const AbsoluteScale& scale);

// The beam-quality read-out line of an absolute air kerma in uGy/mAs, or of the reason
// there is none: "Air kerma  53.25 µGy/mAs", "Air kerma  no output measured for tungsten".
std::string absoluteKermaLine(double kerma);
std::string absoluteKermaLine(const std::string& reason);

}  // namespace palvane
