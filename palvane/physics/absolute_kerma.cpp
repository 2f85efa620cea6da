#include "palvane/physics/absolute_kerma.h"

#include "palvane/physics/beam_quality.h"
#include "palvane/physics/model_spectrum.h"
#include "palvane/physics/point_model.h"
#include "palvane/physics/tube_calibration.h"
#include "text_files/number_text.h"

namespace palvane {

AbsoluteScale absoluteScale(const ModelTables& tables, const TubeSetup& setup,
                            const std::optional<calibration::OutputMeasurement>& output) {
  AbsoluteScale scale;
  if (!output) return scale;
  if (output->setup.target != setup.target) {
    scale.reason = "no output measured for " + std::string(calibration::targetMetal(setup.target));
    return scale;
  }
  for (const TubeSetup* modelled : {&setup, &output->setup}) {
    if (const std::optional<std::string> problem = layersProblem(tables, *modelled)) {
      scale.reason = *problem;
      return scale;
    }
  }
  const std::optional<double> atSettings =
      BeamAxisAirKerma(tables, setup, modelLayers(tables, setup));
  const std::optional<double> atMeasurement =
      BeamAxisAirKerma(tables, output->setup, modelLayers(tables, output->setup));
  if (atSettings && atMeasurement) {
    scale.referenceKerma =
        calibration::scaledReferenceKerma(output->output, *atSettings, *atMeasurement);
  }
  if (!scale.referenceKerma) {
    scale.reason = "the model gives no air kerma to scale the output by";
    return scale;
  }
  scale.modelRatio = *atSettings / *atMeasurement;
  return scale;
}

std::optional<double> spectrumAbsoluteKerma(const SpectrumExportSettings& settings,
                                            const AbsoluteScale& scale) {
  if (!scale.referenceKerma || !settings.quality) return std::nullopt;
  const std::optional<double> percent =
      relativeAirKermaPercent(*settings.quality, settings.axisAirKerma);
  if (!percent) return std::nullopt;
  return calibration::absoluteKerma(*scale.referenceKerma, *percent / 100.0);
}

std::string absoluteKermaLine(double kerma) {
  return "Air kerma  " + PatternFormat(kerma, kAbsoluteKermaPattern) + " µGy/mAs";
}

std::string absoluteKermaLine(const std::string& reason) { return "Air kerma  " + reason; }

}  // namespace palvane
