#include "palvane/physics/kept_spectrum.h"

#include "palvane/physics/point_beam_quality.h"
#include "palvane/physics/point_spectrum.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/parameter_file_writer.h"

namespace palvane {

namespace {

SpectrumExportSettings currentSettings(double pointX, double pointY) {
  const SharedState& shared = state();
  SpectrumExportSettings settings;
  settings.setup = tubeSetupOf(shared.TargetType, parameterTexts());
  settings.setup.airLayer = pointSpectrumAirLayer(shared.TargetType);
  settings.pointX = pointX;
  settings.pointY = pointY;
  return settings;
}

}  // namespace

KeptSpectrum keepLastPointSpectrum() {
  const SharedState& shared = state();
  KeptSpectrum kept{shared.Spectrum, shared.SpectrumMax,
                    currentSettings(shared.PointX, shared.PointY)};
  kept.settings.quality = PointBeamQuality();
  kept.settings.axisAirKerma = PointBeamQualityReference();
  return kept;
}

KeptSpectrum keepAxisSpectrum() {
  const SharedState& shared = state();
  KeptSpectrum kept{{}, shared.AxisSpectrumMax, currentSettings(0.0, 0.0)};
  // Back to photons per bin, so that the export states the same normaliser as a computed
  // spectrum does.
  for (int i = 1; i <= kLastBin; ++i) kept.photons[i] = shared.AxisSpectrum[i] * kept.normaliser;
  kept.settings.quality = computeBeamQuality(kept.photons, shared.MuAl, shared.MuEnAir);
  if (kept.settings.quality) kept.settings.axisAirKerma = kept.settings.quality->airKerma;
  return kept;
}

void writeSpectrumCsv(const std::filesystem::path& file, const KeptSpectrum& spectrum,
                      const ExportStamp& stamp) {
  writeExportFile(file, [&] {
    return spectrumCsv(spectrum.photons, spectrum.normaliser, spectrum.settings, stamp);
  });
}

}  // namespace palvane
