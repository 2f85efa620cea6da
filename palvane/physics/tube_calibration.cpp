#include "palvane/physics/tube_calibration.h"

#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/beam_quality.h"
#include "palvane/physics/model_spectrum.h"

namespace palvane {

namespace {

std::optional<BeamQuality> beamAxisQuality(const SharedState& tables, int targetType,
                                           const TubeSettings& tube) {
  BinArray target{};
  BinArray spectrum{};
  const PointGeometry beamAxis;  // exactly (0, 1, 1)
  const std::optional<int> lastBin =
      targetType == 0
          ? MolybdenumSpectrum(tables, tube, beamAxis, kEngineAirLayer, target, spectrum)
          : TungstenSpectrum(tables, tube, beamAxis, kEngineAirLayer, target, spectrum);
  if (!lastBin) return std::nullopt;
  return computeBeamQuality(spectrum, tables.MuAl, tables.MuEnAir);
}

}  // namespace

std::optional<double> BeamAxisHvl(const SharedState& tables, int targetType,
                                  const TubeSettings& tube) {
  const std::optional<BeamQuality> quality = beamAxisQuality(tables, targetType, tube);
  if (!quality) return std::nullopt;
  return quality->firstHvl;
}

std::optional<double> BeamAxisAirKerma(const SharedState& tables, int targetType,
                                       const TubeSettings& tube) {
  const std::optional<BeamQuality> quality = beamAxisQuality(tables, targetType, tube);
  if (!quality) return std::nullopt;
  return quality->airKerma;
}

calibration::TubeSetup tubeSetup(int targetType, const TubeSettings& tube) {
  constexpr double kMillimetresPerCentimetre = 10.0;
  return {targetType,
          tube.targetAngle,
          tube.tiltAngle,
          kMillimetresPerCentimetre * tube.beryllium,
          kMillimetresPerCentimetre * tube.aluminium,
          kMillimetresPerCentimetre * tube.molybdenum,
          kMillimetresPerCentimetre * tube.rhodium};
}

TubeSettings tubeSettings(double tubeVoltage, const calibration::TubeSetup& setup) {
  constexpr double kCentimetresPerMillimetre = 0.1;
  return {tubeVoltage,
          setup.targetAngle,
          setup.tiltAngle,
          kCentimetresPerMillimetre * setup.beryllium,
          kCentimetresPerMillimetre * setup.aluminium,
          kCentimetresPerMillimetre * setup.molybdenum,
          kCentimetresPerMillimetre * setup.rhodium};
}

calibration::HvlFit FitTubeAluminium(const SharedState& tables, int targetType,
                                     const TubeSettings& tube,
                                     const std::vector<calibration::HvlPair>& pairs) {
  const calibration::HvlModel model = [&](double tubeVoltage, double aluminium) {
    TubeSettings settings = tube;
    settings.tubeVoltage = tubeVoltage;
    settings.aluminium = 0.1 * aluminium;  // mm to the cm of the computation
    return BeamAxisHvl(tables, targetType, settings);
  };
  return calibration::fitAluminium(model, pairs);
}

}  // namespace palvane
