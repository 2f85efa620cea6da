#include <cmath>

#include "palvane/physics/model_spectrum.h"
#include "palvane/physics/point_model.h"

namespace palvane {

BinArray layersTransmission(const std::vector<LayerColumn>& layers, double scale, int N) {
  BinArray transmission;
  transmission.fill(1.0);
  for (const LayerColumn& layer : layers) {
    for (int i = 2; i <= N; ++i) {
      transmission[i] = transmission[i] * std::exp(-(*layer.mu)[i] * layer.thickness * scale);
    }
  }
  return transmission;
}

std::optional<std::string> layersProblem(const ModelTables& tables, const TubeSetup& setup) {
  if (!hasAddedLayers(setup)) return std::nullopt;
  if (tables.Materials.empty()) return tables.MaterialsProblem;
  std::vector<AddedLayer> layers = setup.addedFilters;
  if (setup.plate) layers.push_back(*setup.plate);
  for (const AddedLayer& layer : layers) {
    if (layer.thickness != 0 && !tables.Materials.contains(layer.material)) {
      return "Materials.dat: no material \"" + layer.material + "\"";
    }
  }
  return setupProblem(setup);
}

ModelLayers modelLayers(const ModelTables& tables, const TubeSetup& setup) {
  ModelLayers layers;
  const auto column = [&](const AddedLayer& layer) {
    return LayerColumn{&tables.Materials.at(layer.material), 0.1 * layer.thickness};
  };
  for (const AddedLayer& filter : setup.addedFilters) {
    if (filter.thickness != 0) layers.filters.push_back(column(filter));
  }
  if (setup.plate && setup.plate->thickness != 0) layers.plate = column(*setup.plate);
  return layers;
}

}  // namespace palvane
