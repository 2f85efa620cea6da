#include "tube_model/field.h"

#include <charconv>
#include <sstream>
#include <utility>

#include "engine/field_computation.h"
#include "engine/input_error.h"
#include "engine/numeric_field.h"
#include "engine/output_files.h"
#include "tube_model/engine_settings.h"

namespace tube_model {

namespace {

// The maps and reference values of a result beside the engine's names for them.
constexpr std::pair<FieldMap FieldResult::*, engine::RelativeMaps::Map engine::RelativeMaps::*>
    kMaps[]{{&FieldResult::energyFluence, &engine::RelativeMaps::fluence},
            {&FieldResult::airKerma, &engine::RelativeMaps::kerma},
            {&FieldResult::hvl, &engine::RelativeMaps::hvl}};
constexpr std::pair<float FieldResult::*, float engine::RelativeMaps::*> kReferences[]{
    {&FieldResult::energyFluenceReference, &engine::RelativeMaps::fluenceReference},
    {&FieldResult::airKermaReference, &engine::RelativeMaps::kermaReference},
    {&FieldResult::hvlReference, &engine::RelativeMaps::hvlReference}};

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

}  // namespace

FieldResult computeField(const palvane::TubeSetup& setup, const Tables& tables) {
  const engine::BeamParameters parameters = engineParameters(setup, tables);
  const std::unique_ptr<engine::TargetRun> run = beginRun(parameters, setup.target, tables);
  FieldResult result;
  result.setup = setup;
  const auto keepBeamAxis = [&](const engine::Spectrum& spectrum,
                                const engine::PointQuantities& quantities) {
    result.beamAxis = BeamAxis{spectrum, quantities};
  };
  std::ostringstream warnings;
  engine::RelativeMaps maps;
  try {
    maps = engine::computeField(*run, parameters, tables.coefficients(), keepBeamAxis, warnings);
  } catch (const engine::InputError& error) {
    throw ModelError(error.what());
  }
  for (const auto& [ours, engines] : kMaps) result.*ours = maps.*engines;
  for (const auto& [ours, engines] : kReferences) result.*ours = maps.*engines;
  result.warnings = linesOf(warnings.str());
  return result;
}

double writtenValue(float value, int significantDigits) {
  const std::string text = engine::renderExponent(value, significantDigits + 6, significantDigits);
  const std::size_t start = text.find_first_not_of(' ');
  double written = 0;
  std::from_chars(text.data() + start, text.data() + text.size(), written);
  return written;
}

std::string beamAxisText(const FieldResult& result) {
  if (!result.beamAxis) return {};
  return engine::beamAxisText(engineParameters(result.setup), result.beamAxis->spectrum,
                              result.beamAxis->sums);
}

std::string resultText(const FieldResult& result) {
  engine::RelativeMaps maps;
  for (const auto& [ours, engines] : kMaps) maps.*engines = result.*ours;
  for (const auto& [ours, engines] : kReferences) maps.*engines = result.*ours;
  return engine::resultText(maps);
}

}  // namespace tube_model
