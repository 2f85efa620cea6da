#include "web/module/module_setup.h"

#include "web/module/embedded_tables.h"

namespace web {

using emscripten::val;

namespace {

palvane::AddedLayer layerOf(const val& object) {
  return {object["material"].as<std::string>(), object["thickness"].as<double>()};
}

}  // namespace

const tube_model::Tables& tables() {
  static const tube_model::Tables built =
      tube_model::Tables::fromText(std::string(kCoefficientTable), std::string(kStoppingPowerTable),
                                   std::string(kMaterialTable));
  return built;
}

palvane::TubeSetup setupOf(const val& object) {
  palvane::TubeSetup setup;
  const val target = object["target"];
  if (!target.isUndefined()) {
    setup.target = target.as<std::string>() == palvane::targetName(palvane::Target::kTungsten)
                       ? palvane::Target::kTungsten
                       : palvane::Target::kMolybdenum;
  }
  for (const palvane::SetupField& field : palvane::kSetupFields) {
    const val value = object[std::string(field.name)];
    if (!value.isUndefined()) setup.*field.member = value.as<double>();
  }
  const val filters = object["added_filters"];
  if (!filters.isUndefined()) {
    const auto count = filters["length"].as<unsigned>();
    for (unsigned n = 0; n < count; ++n) setup.addedFilters.push_back(layerOf(filters[n]));
  }
  const val plate = object["plate"];
  if (!plate.isUndefined() && !plate.isNull()) setup.plate = layerOf(plate);
  return setup;
}

}  // namespace web
