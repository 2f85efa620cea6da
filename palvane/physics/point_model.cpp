#include "palvane/physics/point_model.h"

#include "palvane/physics/model_spectrum.h"
#include "palvane/physics/tube_settings.h"

namespace palvane {

std::optional<ModelSpectrum> pointSpectrum(const ModelTables& tables, const TubeSetup& setup,
                                           ImagePoint point) {
  if (layersProblem(tables, setup)) return std::nullopt;
  const TubeSettings tube = tubeSettingsOf(setup);
  const PointGeometry geometry = geometryAt(point, tables.Pi);
  const ModelLayers layers = modelLayers(tables, setup);
  ModelSpectrum spectrum;
  const std::optional<int> lastBin =
      setup.target == Target::kMolybdenum
          ? MolybdenumSpectrum(tables, tube, geometry, setup.airLayer, spectrum.target,
                               spectrum.photons, layers)
          : TungstenSpectrum(tables, tube, geometry, setup.airLayer, spectrum.target,
                             spectrum.photons, layers);
  if (!lastBin) return std::nullopt;
  spectrum.lastBin = *lastBin;
  return spectrum;
}

std::optional<BeamQuality> beamQuality(const ModelTables& tables, const ModelSpectrum& spectrum) {
  return computeBeamQuality(spectrum.photons, tables.MuAl, tables.MuEnAir);
}

}  // namespace palvane
