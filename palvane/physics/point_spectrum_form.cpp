#include <optional>

#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/point_model.h"
#include "palvane/physics/point_spectrum.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/shared_state.h"

namespace palvane {

PointSpectrumOutcome PointSpectrumOfForm(Target target, double airLayer) {
  SharedState& shared = state();
  TubeSetup setup = tubeSetupOf(targetFlag(target), parameterTexts());
  setup.airLayer = airLayer;
  pointGeometry(shared);  // on the beam axis PointX and PointY become 0
  const std::optional<ModelSpectrum> spectrum =
      pointSpectrum(shared, setup, {shared.PointX, shared.PointY});
  if (!spectrum) return PointSpectrumOutcome::kOutsideModel;
  // The bins the model fills, as the specified routines fill them: index 0 stays unused.
  for (int i = 2; i <= spectrum->lastBin; ++i) shared.TargetSpectrum[i] = spectrum->target[i];
  for (int i = 1; i <= kLastBin; ++i) shared.Spectrum[i] = spectrum->photons[i];
  return PointSpectrumOutput(spectrum->lastBin);
}

}  // namespace palvane
