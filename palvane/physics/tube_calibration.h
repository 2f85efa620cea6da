#pragma once

#include <optional>
#include <vector>

#include "calibration/hvl_fit.h"
#include "palvane/physics/model_spectrum.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/shared_state.h"

namespace palvane {

// The air layer the engines' B2F.dat carries, cm. The fit computes its HVLs through it, so
// that the fitted aluminium gives the engines' reference HVL the measured value.
inline constexpr double kEngineAirLayer = 60.0;

// The first HVL in mm of aluminium of the model's beam-axis spectrum for the target type
// (0 molybdenum, 1 tungsten) and the settings, through kEngineAirLayer of air, with the
// tables of `tables`; nullopt where the model has no spectrum or no beam quality.
std::optional<double> BeamAxisHvl(const SharedState& tables, int targetType,
                                  const TubeSettings& tube, const ModelLayers& layers = {});

// Fits the aluminium-equivalent thickness of `tube` (its tube voltage and aluminium aside)
// and its added layers to the measured pairs with BeamAxisHvl (calibration::fitAluminium,
// which throws).
calibration::HvlFit FitTubeAluminium(const SharedState& tables, int targetType,
                                     const TubeSettings& tube,
                                     const std::vector<calibration::HvlPair>& pairs,
                                     const ModelLayers& layers = {});

}  // namespace palvane
