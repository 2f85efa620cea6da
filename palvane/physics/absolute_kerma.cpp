#include "palvane/physics/absolute_kerma.h"

#include "palvane/physics/beam_quality.h"
#include "text_files/number_text.h"

namespace palvane {

std::optional<double> spectrumAbsoluteKerma(
    const SpectrumExportSettings& settings,
    const std::optional<calibration::OutputCalibration>& output) {
  if (!output || !settings.quality) return std::nullopt;
  const std::optional<double> percent =
      relativeAirKermaPercent(*settings.quality, settings.axisAirKerma);
  if (!percent) return std::nullopt;
  return calibration::absoluteKerma(*output, *percent / 100.0);
}

std::string absoluteKermaLine(double kerma) {
  return "Air kerma  " + PatternFormat(kerma, kAbsoluteKermaPattern) + " µGy/mAs";
}

}  // namespace palvane
