#include "palvane/physics/kept_spectrum.h"

#include "palvane/physics/tube_settings.h"

namespace palvane {

namespace {

SpectrumExportSettings currentSettings(double pointX, double pointY) {
  return {state().TargetType, readTubeSettings(parameterTexts()), pointX, pointY};
}

}  // namespace

KeptSpectrum keepLastPointSpectrum() {
  const SharedState& shared = state();
  return {shared.Spectrum, shared.SpectrumMax, currentSettings(shared.PointX, shared.PointY)};
}

KeptSpectrum keepAxisSpectrum() {
  const SharedState& shared = state();
  KeptSpectrum kept{{}, shared.AxisSpectrumMax, currentSettings(0.0, 0.0)};
  // Back to photons per bin, so that the export states the same normaliser as a computed
  // spectrum does.
  for (int i = 1; i <= kLastBin; ++i) kept.photons[i] = shared.AxisSpectrum[i] * kept.normaliser;
  return kept;
}

}  // namespace palvane
