#include "tube_model/field.h"

#include <charconv>
#include <sstream>

#include "engine/field_computation.h"
#include "engine/input_error.h"
#include "engine/numeric_field.h"
#include "engine/output_files.h"
#include "tube_model/engine_settings.h"

namespace tube_model {

namespace {

PointSums sumsOf(const engine::PointQuantities& quantities) {
  return {quantities.peak, quantities.photonFluence, quantities.energyFluence, quantities.airKerma,
          quantities.hvl};
}

engine::PointQuantities quantitiesOf(const PointSums& sums) {
  engine::PointQuantities quantities;
  quantities.peak = sums.peak;
  quantities.photonFluence = sums.photonFluence;
  quantities.energyFluence = sums.energyFluence;
  quantities.airKerma = sums.airKerma;
  quantities.hvl = sums.hvl;
  return quantities;
}

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
    result.beamAxis = BeamAxis{spectrum, sumsOf(quantities)};
  };
  std::ostringstream warnings;
  engine::RelativeMaps maps;
  try {
    maps = engine::computeField(*run, parameters, tables.coefficients(), keepBeamAxis, warnings);
  } catch (const engine::InputError& error) {
    throw ModelError(error.what());
  }
  result.energyFluence = maps.fluence;
  result.airKerma = maps.kerma;
  result.hvl = maps.hvl;
  result.energyFluenceReference = maps.fluenceReference;
  result.airKermaReference = maps.kermaReference;
  result.hvlReference = maps.hvlReference;
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
                              quantitiesOf(result.beamAxis->sums));
}

std::string resultText(const FieldResult& result) {
  engine::RelativeMaps maps;
  maps.fluence = result.energyFluence;
  maps.kerma = result.airKerma;
  maps.hvl = result.hvl;
  maps.fluenceReference = result.energyFluenceReference;
  maps.kermaReference = result.airKermaReference;
  maps.hvlReference = result.hvlReference;
  return engine::resultText(maps);
}

}  // namespace tube_model
