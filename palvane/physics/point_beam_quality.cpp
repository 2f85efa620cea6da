#include "palvane/physics/point_beam_quality.h"

#include "palvane/physics/tube_settings.h"
#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/shared_state.h"

namespace palvane {

namespace {

// The target and the settings of the spectrum form, as one comparable record.
TubeSetup currentSettings(const SharedState& shared) {
  return tubeSetupOf(shared.TargetType, parameterTexts());
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
