#pragma once

#include <optional>

#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/shared_state.h"

namespace palvane {

// The model's photon spectrum at a point of the image plane for a molybdenum or a tungsten
// target, with the coefficient tables, Pi and (molybdenum) the stopping powers of `tables`,
// the settings `tube` and an air layer of airPath cm between focal spot and image plane.
// Fills target (photons produced in the target, bins 2..N) and spectrum (photons per bin at
// the point; 0 outside bins 2..N) and returns N; nullopt, leaving both untouched, for
// settings the model cannot compute (see PointSpectrumOutcome::kOutsideModel). The
// point-spectrum routines are these with their own air layers.
std::optional<int> MolybdenumSpectrum(const ModelTables& tables, const TubeSettings& tube,
                                      const PointGeometry& geometry, double airPath,
                                      BinArray& target, BinArray& spectrum);
std::optional<int> TungstenSpectrum(const ModelTables& tables, const TubeSettings& tube,
                                    const PointGeometry& geometry, double airPath, BinArray& target,
                                    BinArray& spectrum);

}  // namespace palvane
