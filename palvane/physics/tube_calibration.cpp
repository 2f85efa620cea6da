#include "palvane/physics/tube_calibration.h"

#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/beam_quality.h"
#include "palvane/physics/model_spectrum.h"

namespace palvane {

std::optional<double> BeamAxisHvl(const SharedState& tables, int targetType,
                                  const TubeSettings& tube, const ModelLayers& layers) {
  BinArray target{};
  BinArray spectrum{};
  const PointGeometry beamAxis;  // exactly (0, 1, 1)
  const std::optional<int> lastBin =
      targetType == 0
          ? MolybdenumSpectrum(tables, tube, beamAxis, kEngineAirLayer, target, spectrum, layers)
          : TungstenSpectrum(tables, tube, beamAxis, kEngineAirLayer, target, spectrum, layers);
  if (!lastBin) return std::nullopt;
  const std::optional<BeamQuality> quality =
      computeBeamQuality(spectrum, tables.MuAl, tables.MuEnAir);
  if (!quality) return std::nullopt;
  return quality->firstHvl;
}

calibration::HvlFit FitTubeAluminium(const SharedState& tables, int targetType,
                                     const TubeSettings& tube,
                                     const std::vector<calibration::HvlPair>& pairs,
                                     const ModelLayers& layers) {
  const calibration::HvlModel model = [&](double tubeVoltage, double aluminium) {
    TubeSettings settings = tube;
    settings.tubeVoltage = tubeVoltage;
    settings.aluminium = 0.1 * aluminium;  // mm to the cm of the computation
    return BeamAxisHvl(tables, targetType, settings, layers);
  };
  return calibration::fitAluminium(model, pairs);
}

}  // namespace palvane
