#pragma once

#include <string>
#include <vector>

#include "calibration/output_calibration.h"
#include "sweep/aluminium_fit.h"
#include "sweep/sweep_run.h"
#include "sweep/sweep_settings.h"

namespace sweep {

// The whole CSV table: a header naming every column with its unit, then one record per
// combination in order. A failed combination has empty value fields and its message as status.
// With fits (one per combination), two columns more: the fitted aluminium to 0.001 mm and
// the fit's largest relative difference. With an output, the absolute air kerma on the
// beam axis and at kReportedPositionsCm. Both come before the status.
// With added layers, two columns after the air layer: the added filters ("ag:0.05") and
// the plate ("pmma:2.4"), empty for none.
std::string sweepTable(const std::vector<Settings>& combinations,
                       const std::vector<CombinationOutcome>& outcomes,
                       const std::vector<AluminiumFit>& fits = {},
                       const std::optional<calibration::OutputCalibration>& output = {});

}  // namespace sweep
