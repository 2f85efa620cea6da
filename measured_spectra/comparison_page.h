#pragma once

#include <string>
#include <vector>

#include "measured_spectra/comparison.h"

namespace measured {

// The Markdown section of the validation page on the measured spectra: where they come
// from, how both sides are computed, the tables uncalibrated and after the one-point
// calibration, ranges of the differences and the figure `figureFile` (relative to the
// page).
std::string measuredSpectraSection(const std::vector<ComparedSeries>& series,
                                   const std::string& figureFile);

}  // namespace measured
