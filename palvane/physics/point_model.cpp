#include "palvane/physics/point_model.h"

#include "palvane/physics/model_spectrum.h"

namespace palvane {

std::optional<ModelSpectrum> pointSpectrum(const ModelTables& tables, const TubeSetup& setup,
                                           ImagePoint point) {
  if (layersProblem(tables, setup)) return std::nullopt;
  const PointGeometry geometry = geometryAt(point, tables.Pi);
  const ModelLayers layers = modelLayers(tables, setup);
  ModelSpectrum spectrum;
  const std::optional<int> lastBin =
      setup.target == Target::kMolybdenum
          ? MolybdenumSpectrum(tables, setup, geometry, setup.airLayer, spectrum.target,
                               spectrum.photons, layers)
          : TungstenSpectrum(tables, setup, geometry, setup.airLayer, spectrum.target,
                             spectrum.photons, layers);
  if (!lastBin) return std::nullopt;
  spectrum.lastBin = *lastBin;
  return spectrum;
}

std::optional<BeamQuality> beamQuality(const ModelTables& tables, const ModelSpectrum& spectrum) {
  return computeBeamQuality(spectrum.photons, tables.MuAl, tables.MuEnAir);
}

}  // namespace palvane
