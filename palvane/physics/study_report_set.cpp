#include "palvane/physics/study_report_set.h"

#include <cmath>

#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/point_spectrum.h"
#include "palvane/physics/spectrum_file.h"
#include "palvane/state/results_loading.h"
#include "text_files/number_text.h"
#include "text_files/parameter_file.h"

namespace palvane {

namespace {

// The model's spectrum at the point, refused where the forms refuse to draw it: no
// spectrum, or a bin that is not finite relative to the peak.
ModelSpectrum drawableSpectrum(const ModelTables& tables, const TubeSetup& setup, ImagePoint point,
                               double peak, const std::string& where) {
  const std::optional<ModelSpectrum> spectrum = pointSpectrum(tables, setup, point);
  const auto refused = [&] {
    return ExportError("the model cannot compute the spectrum " + where + " for these settings");
  };
  if (!spectrum) throw refused();
  if (peak == 0.0) peak = largestBin(spectrum->photons, spectrum->lastBin);
  if (!(peak > 0.0)) throw refused();
  for (int i = 1; i <= kLastBin; ++i) {
    if (!std::isfinite(spectrum->photons[i] / peak)) throw refused();
  }
  return *spectrum;
}

}  // namespace

StudySpectra studySpectra(const ModelTables& tables, const TubeSetup& settings,
                          const std::vector<ImagePoint>& points) {
  TubeSetup setup = settings;
  setup.airLayer = pointSpectrumAirLayer(targetFlag(setup.target));

  // The spectrum form's beam axis: its own air kerma is the points' reference, and it
  // reaches the display form through B_SPCTL.dat's five decimals.
  const ModelSpectrum axis = drawableSpectrum(tables, setup, {}, 0.0, "on the beam axis");
  const double axisPeak = largestBin(axis.photons, axis.lastBin);
  const std::optional<BeamQuality> axisQuality =
      computeBeamQuality(axis.photons, tables.MuAl, tables.MuEnAir);
  const std::optional<double> reference = axisQuality && axisQuality->airKerma > 0.0
                                              ? std::optional(axisQuality->airKerma)
                                              : std::nullopt;
  FieldReader file(kSpectrumFile, spectrumFileText(axis.photons, axisPeak));
  BinArray relative{};
  StudySpectra spectra;
  readAxisSpectrum(file, relative, spectra.axis.normaliser);
  spectra.axis.settings.setup = setup;
  for (int i = 1; i <= kLastBin; ++i) {
    spectra.axis.photons[i] = relative[i] * spectra.axis.normaliser;
  }
  spectra.axis.settings.quality =
      computeBeamQuality(spectra.axis.photons, tables.MuAl, tables.MuEnAir);
  if (spectra.axis.settings.quality) {
    spectra.axis.settings.axisAirKerma = spectra.axis.settings.quality->airKerma;
  }

  for (std::size_t n = 0; n < points.size(); ++n) {
    const ImagePoint point = points[n];
    const ModelSpectrum spectrum = drawableSpectrum(tables, setup, point, spectra.axis.normaliser,
                                                    "at point " + std::to_string(n + 1));
    KeptSpectrum kept{spectrum.photons, spectra.axis.normaliser, {}};
    kept.settings.setup = setup;
    kept.settings.pointX = point.x;
    kept.settings.pointY = point.y;
    kept.settings.quality = computeBeamQuality(spectrum.photons, tables.MuAl, tables.MuEnAir);
    kept.settings.axisAirKerma = reference;
    spectra.points.push_back(std::move(kept));
  }
  return spectra;
}

ReportSetContents reportSetContents(const ModelTables& tables, const ExportStamp& stamp,
                                    const Study& study, const ResultMaps& maps,
                                    const StudySpectra& spectra) {
  const StudyCalibration& calibration = study.calibration;
  ReportSetContents contents{stamp,
                             study.settings,
                             maps.fluenceMap,
                             maps.kermaMap,
                             maps.hvlMap,
                             calibration.scale.referenceKerma,
                             {}};
  // Each spectrum with its absolute air kerma when the calibration has an output for its
  // target.
  const auto calibrated = [&](KeptSpectrum spectrum) {
    spectrum.settings.absoluteAirKerma = spectrumAbsoluteKerma(
        spectrum.settings, scaleAt(tables, calibration, spectrum.settings.setup));
    return spectrum;
  };
  contents.spectra.push_back(calibrated(spectra.axis));
  for (const KeptSpectrum& spectrum : spectra.points) {
    contents.spectra.push_back(calibrated(spectrum));
  }
  return contents;
}

StudyReportSet studyReportSet(const ModelTables& tables, const StudyValues& values) {
  constexpr double kCmPerMm = 0.1;
  const ResultMaps maps = readResultMaps("Result.dat", values.resultText);
  Study study;
  study.settings = readParameterText(parameterFileText(values.settings), kParameterFile);
  study.calibration = studyCalibration(tables, values.profile, study.settings);
  const ExportStamp stamp{
      values.program, values.savedAt,
      EngineReferences{maps.referenceEnergyFluence, maps.referenceAirKerma, maps.axisHvl},
      study.calibration.stateLines};
  std::vector<ImagePoint> points;
  for (const TypedPoint& point : values.points) {
    points.push_back({point.x * kCmPerMm, point.y * kCmPerMm});
  }
  const StudySpectra spectra = studySpectra(tables, values.settings, points);
  return {setFolderName(values.folderStamp, study.settings),
          reportSetTexts(reportSetContents(tables, stamp, study, maps, spectra))};
}

}  // namespace palvane
