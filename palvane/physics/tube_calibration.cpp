#include "palvane/physics/tube_calibration.h"

#include <cmath>

#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/beam_quality.h"
#include "palvane/physics/model_spectrum.h"

namespace palvane {

namespace {

std::optional<BeamQuality> qualityAt(const ModelTables& tables, int targetType,
                                     const TubeSettings& tube, const PointGeometry& geometry,
                                     const ModelLayers& layers) {
  BinArray target{};
  BinArray spectrum{};
  const std::optional<int> lastBin =
      targetType == 0
          ? MolybdenumSpectrum(tables, tube, geometry, kAirLayerCm, target, spectrum, layers)
          : TungstenSpectrum(tables, tube, geometry, kAirLayerCm, target, spectrum, layers);
  if (!lastBin) return std::nullopt;
  return computeBeamQuality(spectrum, tables.MuAl, tables.MuEnAir);
}

std::optional<BeamQuality> beamAxisQuality(const ModelTables& tables, int targetType,
                                           const TubeSettings& tube,
                                           const ModelLayers& layers = {}) {
  return qualityAt(tables, targetType, tube, PointGeometry{}, layers);  // exactly (0, 1, 1)
}

}  // namespace

std::optional<double> BeamAxisHvl(const ModelTables& tables, int targetType,
                                  const TubeSettings& tube, const ModelLayers& layers) {
  const std::optional<BeamQuality> quality = beamAxisQuality(tables, targetType, tube, layers);
  if (!quality) return std::nullopt;
  return quality->firstHvl;
}

std::optional<double> BeamAxisAirKerma(const ModelTables& tables, int targetType,
                                       const TubeSettings& tube, const ModelLayers& layers) {
  const std::optional<BeamQuality> quality = beamAxisQuality(tables, targetType, tube, layers);
  if (!quality) return std::nullopt;
  return quality->airKerma;
}

std::optional<std::vector<double>> HeelRelativeKerma(
    const ModelTables& tables, int targetType, const TubeSettings& tube,
    const std::vector<calibration::HeelPoint>& points) {
  const std::optional<BeamQuality> axis = beamAxisQuality(tables, targetType, tube);
  if (!axis || !(axis->airKerma > 0.0)) return std::nullopt;
  std::vector<double> values;
  for (const calibration::HeelPoint& point : points) {
    const double x = 0.1 * point.position;  // mm to cm
    if (beyondHeelCutOff(x, tube.targetAngle, tube.tiltAngle, tables.Pi)) {
      values.push_back(0.0);
      continue;
    }
    const double squared = x * x + kFocusToImageCm * kFocusToImageCm;
    const PointGeometry geometry{offAxisAngle(x, tables.Pi), std::sqrt(squared) / kFocusToImageCm,
                                 kFocusToImageCm * kFocusToImageCm / squared};
    const std::optional<BeamQuality> quality = qualityAt(tables, targetType, tube, geometry, {});
    values.push_back(quality ? quality->airKerma / axis->airKerma : 0.0);
  }
  return values;
}

TubeSetup tubeSetupOf(int targetType, const TubeSettings& tube, const AddedLayers& layers) {
  constexpr double kMillimetresPerCentimetre = 10.0;
  TubeSetup setup;
  setup.target = targetOfFlag(targetType);
  setup.tubeVoltage = tube.tubeVoltage;
  setup.targetAngle = tube.targetAngle;
  setup.tiltAngle = tube.tiltAngle;
  setup.beryllium = kMillimetresPerCentimetre * tube.beryllium;
  setup.aluminium = kMillimetresPerCentimetre * tube.aluminium;
  setup.molybdenum = kMillimetresPerCentimetre * tube.molybdenum;
  setup.rhodium = kMillimetresPerCentimetre * tube.rhodium;
  setup.addedFilters = layers.filters;
  setup.plate = layers.plate;
  return setup;
}

calibration::HvlFit FitTubeAluminium(const ModelTables& tables, int targetType,
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
