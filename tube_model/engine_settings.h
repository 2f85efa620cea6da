#pragma once

#include <memory>

#include "engine/beam_parameters.h"
#include "engine/target_model.h"
#include "tube_model/tables.h"

namespace tube_model {

// The settings as the engine reads them from the B2F.dat palvane writes for the set-up:
// each number rounded to its file pattern, thicknesses in cm. Throws ModelError for a
// set-up outside its fields' ranges or one the engine refuses.
engine::BeamParameters engineParameters(const palvane::TubeSetup& setup);

// The same with the coefficients of the added layers taken from the tables' Materials.dat
// (ModelError naming what is missing: the file, or a material on its line of B2F.dat).
engine::BeamParameters engineParameters(const palvane::TubeSetup& setup, const Tables& tables);

// The engine's run for the settings, prepared from the tables (ModelError when the target
// cannot compute them).
std::unique_ptr<engine::TargetRun> beginRun(const engine::BeamParameters& parameters,
                                            palvane::Target target, const Tables& tables);

}  // namespace tube_model
