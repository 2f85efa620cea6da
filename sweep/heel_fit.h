#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calibration/heel_fit.h"
#include "sweep/aluminium_fit.h"
#include "sweep/sweep_run.h"

namespace sweep {

// The fitted target angle of one combination, or why there is none.
struct HeelFitRow {
  std::optional<calibration::HeelFit> fit;
  std::string failure;
};

// Fits the target angle of every combination to the measured heel (relative air kerma at
// points along the anode-cathode axis, taken as measured at the combination's other
// settings) with the engines' maps, once for each set of the other settings, and sets each
// combination's angle to the fit (0.1 degree, as B2F.dat carries it). With pairs, the
// aluminium is fitted too, in turn with the angle until both are stable, and `fits` gets
// each combination's aluminium fit. A combination whose fit failed keeps its settings and
// has the reason.
std::vector<HeelFitRow> fitHeel(std::vector<Settings>& combinations, const SweepJob& job,
                                const std::vector<calibration::HeelPoint>& points,
                                const std::vector<calibration::HvlPair>& pairs,
                                std::vector<AluminiumFit>& fits);

}  // namespace sweep
