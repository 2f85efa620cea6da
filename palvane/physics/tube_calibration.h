#pragma once

#include <optional>
#include <vector>

#include "calibration/hvl_fit.h"
#include "calibration/tube_profile.h"
#include "palvane/physics/model_spectrum.h"
#include "palvane/state/shared_state.h"

namespace palvane {

// The first HVL in mm of aluminium of the model's beam-axis spectrum for the target and the
// nine settings of `setup` with the added layers `layers` (not the set-up's own), through
// the engines' air layer (kAirLayerCm) so that the fitted aluminium gives the engines'
// reference HVL the measured value, with the tables of `tables`; nullopt where the model
// has no spectrum or no beam quality.
std::optional<double> BeamAxisHvl(const ModelTables& tables, const TubeSetup& setup,
                                  const ModelLayers& layers = {});

// The air kerma of the same spectrum, in the units of BeamQuality::airKerma: the model's
// beam-axis air kerma at the reference point, which carries a measured output to other
// settings.
std::optional<double> BeamAxisAirKerma(const ModelTables& tables, const TubeSetup& setup,
                                       const ModelLayers& layers = {});

// The air kerma relative to the beam axis of the model's spectra at the points (X in mm
// towards the anode side, Y = 0) for the target and nine settings of `setup`, without
// added layers, through kAirLayerCm of air as the engines' maps; 0 at a point beyond the
// heel cut-off, as the engines write it. nullopt where the model has no beam-axis air kerma.
std::optional<std::vector<double>> HeelRelativeKerma(
    const ModelTables& tables, const TubeSetup& setup,
    const std::vector<calibration::HeelPoint>& points);

// Fits the aluminium-equivalent thickness of `setup` (its tube voltage and aluminium aside)
// with the added layers `layers` to the measured pairs with BeamAxisHvl
// (calibration::fitAluminium, which throws).
calibration::HvlFit FitTubeAluminium(const ModelTables& tables, const TubeSetup& setup,
                                     const std::vector<calibration::HvlPair>& pairs,
                                     const ModelLayers& layers = {});

}  // namespace palvane
