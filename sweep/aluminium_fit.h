#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calibration/hvl_fit.h"
#include "sweep/sweep_run.h"

namespace sweep {

// The fitted aluminium of one combination, or why there is none.
struct AluminiumFit {
  std::optional<calibration::HvlFit> fit;
  std::string failure;
};

// Fits the aluminium of every combination of the job to the measured pairs with the engines'
// own HVLs, once for each set of the other settings (tube voltage and aluminium aside), and
// sets each combination's aluminium to the fitted thickness rounded to 0.01 mm, as B2F.dat
// carries it. Returns the fit of each combination in order; a combination whose fit failed
// keeps its aluminium and has the reason. Interrupted (job.interrupted), throws
// SweepInterrupted counting the combinations of the sweep, none of them finished.
std::vector<AluminiumFit> fitAluminium(std::vector<Settings>& combinations, const SweepJob& job,
                                       const std::vector<calibration::HvlPair>& pairs);

// The engines' beam-axis HVL of the settings as a model for calibration::fitAluminium (each
// 0.01 mm step run once by the job's engines, linear between steps).
calibration::HvlModel engineHvlModel(const Settings& settings, const SweepJob& job);

// The fit's failure as a row's status: which pair no thickness reaches, or why the engine
// gave no HVL.
std::string fitFailureText(const calibration::UnreachableHvl& error);

// The aluminium of the fit as B2F.dat carries it: rounded to 0.01 mm.
double writtenAluminium(double aluminium);

}  // namespace sweep
