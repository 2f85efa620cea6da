#pragma once

#include <optional>
#include <string>

#include "calibration/output_calibration.h"
#include "palvane/physics/exports.h"

namespace palvane {

// The read-outs' pattern of an absolute air kerma in uGy/mAs.
inline constexpr char kAbsoluteKermaPattern[] = "##0.00";

// The absolute air kerma in uGy/mAs of a kept spectrum: the reference kerma of the output
// times the spectrum's air kerma relative to its beam-axis reference; nullopt without an
// output, a beam quality or a known reference.
std::optional<double> spectrumAbsoluteKerma(
    const SpectrumExportSettings& settings,
    const std::optional<calibration::OutputCalibration>& output);

// The beam-quality read-out line of an absolute air kerma in uGy/mAs:
// "Air kerma  53.25 µGy/mAs".
std::string absoluteKermaLine(double kerma);

}  // namespace palvane
