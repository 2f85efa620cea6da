#pragma once

#include <string>
#include <vector>

#include "sweep/aluminium_fit.h"
#include "sweep/row_calibration.h"
#include "sweep/sweep_run.h"
#include "sweep/sweep_settings.h"

namespace sweep {

// The whole CSV table: the provenance lines, each after "# ", a header naming every column
// with its unit, then one record per combination in order. A failed combination has empty
// value fields and its message as status; a row the calibration cannot serve has "ok, "
// and the note. With added layers, two columns after the air layer: the added filters
// ("ag:0.05") and the plate ("pmma:2.4"), empty for none. With fits (one per combination),
// two columns more: the fitted aluminium to 0.001 mm and the fit's largest relative
// difference. With absolute columns, the absolute air kerma on the beam axis and at
// kReportedPositionsCm, empty without a reference kerma. Both come before the status.
std::string sweepTable(const std::vector<Settings>& combinations,
                       const std::vector<CombinationOutcome>& outcomes,
                       const RowCalibrations& calibrations = {},
                       const std::vector<std::string>& provenance = {});

}  // namespace sweep
