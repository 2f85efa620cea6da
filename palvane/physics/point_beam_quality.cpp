#include "palvane/physics/point_beam_quality.h"

#include <array>

#include "palvane/physics/tube_settings.h"
#include "palvane/state/shared_state.h"

namespace palvane {

namespace {

// The target type and the tube and filter settings as one comparable record.
std::array<double, 8> currentSettings(const SharedState& shared) {
  const TubeSettings tube = readTubeSettings(parameterTexts());
  return {static_cast<double>(shared.TargetType),
          tube.tubeVoltage,
          tube.targetAngle,
          tube.tiltAngle,
          tube.beryllium,
          tube.aluminium,
          tube.molybdenum,
          tube.rhodium};
}

}  // namespace

std::optional<BeamQuality> PointBeamQuality() {
  const SharedState& shared = state();
  return computeBeamQuality(shared.Spectrum, shared.MuAl, shared.MuEnAir);
}

std::optional<double> PointBeamQualityReference() {
  const SharedState& shared = state();
  if (shared.AxisAirKerma > 0.0 && shared.AxisAirKermaSettings == currentSettings(shared)) {
    return shared.AxisAirKerma;
  }
  return std::nullopt;
}

std::vector<std::string> PointBeamQualityReadout() {
  SharedState& shared = state();
  const std::optional<BeamQuality> quality = PointBeamQuality();
  if (shared.PointMode == 0) {
    // An undefined beam axis leaves no reference rather than an old one of other settings.
    shared.AxisAirKerma = quality ? quality->airKerma : 0.0;
    shared.AxisAirKermaSettings = currentSettings(shared);
  }
  return beamQualityLines(quality, PointBeamQualityReference());
}

}  // namespace palvane
