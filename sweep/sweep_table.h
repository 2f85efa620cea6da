#pragma once

#include <string>
#include <vector>

#include "sweep/sweep_run.h"
#include "sweep/sweep_settings.h"

namespace sweep {

// The whole CSV table: a header naming every column with its unit, then one record per
// combination in order. A failed combination has empty value fields and its message as status.
std::string sweepTable(const std::vector<Settings>& combinations,
                       const std::vector<CombinationOutcome>& outcomes);

}  // namespace sweep
