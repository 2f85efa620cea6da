#include "palvane/physics/tube_calibration.h"

#include <cmath>

#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/beam_quality.h"
#include "palvane/physics/model_spectrum.h"

namespace palvane {

namespace {

std::optional<BeamQuality> qualityAt(const ModelTables& tables, const TubeSetup& setup,
                                     const PointGeometry& geometry, const ModelLayers& layers) {
  BinArray target{};
  BinArray spectrum{};
  const std::optional<int> lastBin =
      setup.target == Target::kMolybdenum
          ? MolybdenumSpectrum(tables, setup, geometry, kAirLayerCm, target, spectrum, layers)
          : TungstenSpectrum(tables, setup, geometry, kAirLayerCm, target, spectrum, layers);
  if (!lastBin) return std::nullopt;
  return computeBeamQuality(spectrum, tables.MuAl, tables.MuEnAir);
}

std::optional<BeamQuality> beamAxisQuality(const ModelTables& tables, const TubeSetup& setup,
                                           const ModelLayers& layers = {}) {
  return qualityAt(tables, setup, PointGeometry{}, layers);  // exactly (0, 1, 1)
}

}  // namespace

std::optional<double> BeamAxisHvl(const ModelTables& tables, const TubeSetup& setup,
                                  const ModelLayers& layers) {
  const std::optional<BeamQuality> quality = beamAxisQuality(tables, setup, layers);
  if (!quality) return std::nullopt;
  return quality->firstHvl;
}

std::optional<double> BeamAxisAirKerma(const ModelTables& tables, const TubeSetup& setup,
                                       const ModelLayers& layers) {
  const std::optional<BeamQuality> quality = beamAxisQuality(tables, setup, layers);
  if (!quality) return std::nullopt;
  return quality->airKerma;
}

std::optional<std::vector<double>> HeelRelativeKerma(
    const ModelTables& tables, const TubeSetup& setup,
    const std::vector<calibration::HeelPoint>& points) {
  const std::optional<BeamQuality> axis = beamAxisQuality(tables, setup);
  if (!axis || !(axis->airKerma > 0.0)) return std::nullopt;
  std::vector<double> values;
  for (const calibration::HeelPoint& point : points) {
    const double x = 0.1 * point.position;  // mm to cm
    if (beyondHeelCutOff(x, setup.targetAngle, setup.tiltAngle, tables.Pi)) {
      values.push_back(0.0);
      continue;
    }
    const double squared = x * x + kFocusToImageCm * kFocusToImageCm;
    const PointGeometry geometry{offAxisAngle(x, tables.Pi), std::sqrt(squared) / kFocusToImageCm,
                                 kFocusToImageCm * kFocusToImageCm / squared};
    const std::optional<BeamQuality> quality = qualityAt(tables, setup, geometry, {});
    values.push_back(quality ? quality->airKerma / axis->airKerma : 0.0);
  }
  return values;
}

calibration::HvlFit FitTubeAluminium(const ModelTables& tables, const TubeSetup& setup,
                                     const std::vector<calibration::HvlPair>& pairs,
                                     const ModelLayers& layers) {
  const calibration::HvlModel model = [&](double tubeVoltage, double aluminium) {
    TubeSetup at = setup;
    at.tubeVoltage = tubeVoltage;
    at.aluminium = aluminium;
    return BeamAxisHvl(tables, at, layers);
  };
  return calibration::fitAluminium(model, pairs);
}

}  // namespace palvane
