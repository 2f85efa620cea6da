#include "tube_model/engine_settings.h"

#include <optional>
#include <string>

#include "engine/added_layers.h"
#include "engine/engine_run.h"
#include "engine/input_error.h"
#include "engine/parameter_file.h"
#include "text_files/parameter_file.h"

namespace tube_model {

engine::BeamParameters engineParameters(const palvane::TubeSetup& setup) {
  if (const std::optional<std::string> problem = palvane::setupProblem(setup)) {
    throw ModelError(*problem);
  }
  try {
    const engine::BeamParameters parameters =
        engine::readParameterText(palvane::parameterFileText(setup), palvane::kParameterFile);
    engine::checkTubeVoltage(parameters.tubeVoltage);
    return parameters;
  } catch (const engine::InputError& error) {
    throw ModelError(error.what());
  }
}

engine::BeamParameters engineParameters(const palvane::TubeSetup& setup, const Tables& tables) {
  engine::BeamParameters parameters = engineParameters(setup);
  if (!engine::hasAddedLayers(parameters)) return parameters;
  try {
    engine::resolveMaterials(parameters, tables.materials());
  } catch (const engine::InputError& error) {
    throw ModelError(error.what());
  }
  return parameters;
}

std::unique_ptr<engine::TargetRun> beginRun(const engine::BeamParameters& parameters,
                                            palvane::Target target, const Tables& tables) {
  try {
    return tables.model(target).beginRun(parameters, tables.coefficients());
  } catch (const engine::InputError& error) {
    throw ModelError(error.what());
  }
}

}  // namespace tube_model
