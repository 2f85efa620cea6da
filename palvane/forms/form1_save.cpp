// The display form's save action: a new folder holding the figures and data of the shown
// results, for a report.

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <vector>

#include "palvane/figures/curve_figures.h"
#include "palvane/figures/figure_caption.h"
#include "palvane/figures/figure_files.h"
#include "palvane/figures/map_figure.h"
#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/map_view.h"
#include "palvane/forms/message_box.h"
#include "palvane/forms/run_texts.h"
#include "palvane/forms/saving.h"
#include "palvane/forms/translated_text.h"
#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/distribution_map.h"
#include "palvane/physics/exports.h"
#include "palvane/physics/report_set.h"
#include "palvane/state/shared_state.h"
#include "text_files/file_error.h"

namespace palvane {

namespace {

constexpr MapQuantity kQuantities[] = {MapQuantity::kEnergyFluence, MapQuantity::kAirKerma,
                                       MapQuantity::kHvl};

const FieldMap& mapOf(MapQuantity quantity) {
  const SharedState& shared = state();
  switch (quantity) {
    case MapQuantity::kEnergyFluence:
      return shared.FluenceMap;
    case MapQuantity::kAirKerma:
    case MapQuantity::kAbsoluteAirKerma:
      return shared.KermaMap;
    case MapQuantity::kHvl:
      break;
  }
  return shared.HvlMap;
}

std::filesystem::path pathIn(const QString& folder, const QString& name) {
  return exportPath(folder, name);
}

void writeText(const QString& folder, const QString& name,
               const std::function<std::string()>& build) {
  writeExportFile(pathIn(folder, name), build);
}

}  // namespace

void Form1::SaveButton_Click() {
  const QString folder = askSaveFolder(this);
  if (folder.isEmpty()) return;
  const QString saved = saveTo(folder);
  if (saved.isEmpty()) return;
  noteSavedFolder_ = QDir::toNativeSeparators(saved);
  showNote();
}

QString Form1::note() const { return NoteLabel_->text(); }

void Form1::showNote() {
  NoteLabel_->setText(noteSavedFolder_.isEmpty() ? QString()
                                                 : translated(kSavedToText).arg(noteSavedFolder_));
}

std::vector<QPointF> Form1::pointsInMillimetres() const {
  std::vector<QPointF> points;
  for (const KeptSpectrum& spectrum : pointSpectra_) {
    points.emplace_back(10.0 * spectrum.settings.pointX, 10.0 * spectrum.settings.pointY);
  }
  return points;
}

void Form1::MapViewButton_Click() {
  if (!mapDrawn_ || !runSettings_ || !shownQuantity_) return;
  const SharedState& shared = state();
  const MapQuantity quantity = *shownQuantity_;
  const ExportStamp stamp =
      exportStamp(QDateTime::currentDateTime(),
                  EngineReferences{shared.ReferenceFluence, shared.ReferenceKerma, shared.AxisHvl});
  // The settings and reference values, without the line of a saved figure's date.
  QStringList caption = figureCaption(stamp, *runSettings_);
  caption.removeLast();
  if (mapView_ == nullptr) mapView_ = new MapView(this);
  mapView_->showMap(shared.DisplayMap, quantity, shared.AxisHvl, shared.FluenceMap, shared.KermaMap,
                    shared.HvlMap, caption, pointsInMillimetres());
  mapView_->show();
  mapView_->raise();
  mapView_->activateWindow();
}

QString Form1::saveTo(const QString& folder) {
  if (!runSettings_ || !axisSpectrum_) {
    showWarning(this, translated(kNoResultsToSaveMessage));
    return {};
  }
  const SharedState& shared = state();
  const QDateTime now = QDateTime::currentDateTime();
  ExportStamp stamp = exportStamp(
      now, EngineReferences{shared.ReferenceFluence, shared.ReferenceKerma, shared.AxisHvl});
  stamp.calibration = form2()->calibrationPanel().stateLines(
      runSettings_->targetType, runSettings_->tube, runSettings_->layers);
  QString setFolder;
  const bool saved = saveReportingErrors(this, [&] {
    std::string name;
    try {
      name = setFolderName(now.toString(QStringLiteral("yyyy-MM-dd_HHmm")).toStdString(),
                           *runSettings_);
    } catch (const ExportError& error) {
      throw FileError(QDir::toNativeSeparators(folder).toStdString() + ": " + error.what());
    }
    setFolder = makeSetFolder(folder, QString::fromStdString(name));
    try {
      writeSet(setFolder, stamp);
    } catch (const FileError&) {
      // No half set stays behind.
      QDir(setFolder).removeRecursively();
      throw;
    }
  });
  return saved ? setFolder : QString();
}

void Form1::writeSet(const QString& setFolder, const ExportStamp& stamp) const {
  const SharedState& shared = state();
  const ExportSettings& run = *runSettings_;
  const QStringList caption = figureCaption(stamp, run);

  for (const MapQuantity quantity : kQuantities) {
    const QString stem = QStringLiteral("map_") + QLatin1String(mapQuantityFileTag(quantity));
    const FieldMap& map = mapOf(quantity);
    writeText(setFolder, stem + QStringLiteral(".csv"),
              [&] { return mapCsv(map, quantity, stamp, run); });
    saveFigure(setFolder, stem, mapFigureSize(caption.size()), mapFigureTitle(quantity),
               [&](QPainter& painter) {
                 paintMapFigure(painter, map, quantity, shared.AxisHvl, caption,
                                MapMarks{false, pointsInMillimetres()});
               });
  }
  writeText(setFolder, QStringLiteral("profiles.csv"), [&] {
    return profilesCsv(shared.FluenceMap, shared.KermaMap, shared.HvlMap, stamp, run);
  });
  saveFigure(setFolder, QStringLiteral("profiles"), curveFigureSize(caption.size()),
             QStringLiteral("Profiles"), [&](QPainter& painter) {
               paintProfilesFigure(painter, shared.FluenceMap, shared.KermaMap, shared.HvlMap,
                                   caption);
             });

  // With an output for the run's target, the air-kerma map on the absolute scale.
  const AbsoluteScale scale = runScale();
  if (scale.referenceKerma) {
    const QString stem = QStringLiteral("map_absolute_air_kerma");
    writeText(setFolder, stem + QStringLiteral(".csv"), [&] {
      return absoluteKermaMapCsv(shared.KermaMap, *scale.referenceKerma, stamp, run);
    });
    saveFigure(setFolder, stem, mapFigureSize(caption.size()),
               mapFigureTitle(MapQuantity::kAbsoluteAirKerma), [&](QPainter& painter) {
                 paintMapFigure(painter, shared.KermaMap, MapQuantity::kAbsoluteAirKerma,
                                *scale.referenceKerma, caption);
               });
  }

  // The spectra: the beam axis, then the points in the order of the clicks, each with its
  // absolute air kerma when the spectrum form has an output for its target.
  const auto calibrated = [&](KeptSpectrum spectrum) {
    spectrum.settings.absoluteAirKerma = spectrumAbsoluteKerma(
        spectrum.settings,
        form2()->calibrationPanel().scaleAt(spectrum.settings.targetType, spectrum.settings.tube,
                                            spectrum.settings.layers));
    return spectrum;
  };
  std::vector<std::pair<QString, KeptSpectrum>> spectra = {
      {QStringLiteral("spectrum_axis.csv"), calibrated(*axisSpectrum_)}};
  for (std::size_t n = 1; n <= pointSpectra_.size(); ++n) {
    spectra.emplace_back(QStringLiteral("spectrum_point_%1.csv").arg(n),
                         calibrated(pointSpectra_[n - 1]));
  }
  std::vector<SummaryRow> rows;
  std::vector<SpectrumCurve> curves;
  std::vector<std::string> files;
  for (std::size_t n = 0; n < spectra.size(); ++n) {
    const auto& [file, spectrum] = spectra[n];
    writeSpectrumCsv(pathIn(setFolder, file), spectrum, stamp);
    rows.push_back({file.toStdString(), spectrum.settings});
    files.push_back(file.toStdString());
    const bool axis = n == 0;
    curves.push_back(
        {&spectrum.photons, spectrum.normaliser,
         spectrumName(static_cast<int>(n), spectrum.settings.pointX, spectrum.settings.pointY),
         axis});
  }
  // The spectra's own air layer and settings, those of the beam-axis spectrum.
  const SpectrumExportSettings& axis = axisSpectrum_->settings;
  const QStringList spectraCaption =
      figureCaption(stamp, {axis.targetType, axis.tube, axis.airLayer, axis.layers});
  saveFigure(setFolder, QStringLiteral("spectra"), curveFigureSize(spectraCaption.size()),
             QStringLiteral("Spectra"),
             [&](QPainter& painter) { paintSpectraFigure(painter, curves, spectraCaption); });
  writeText(setFolder, QStringLiteral("summary.csv"), [&] { return summaryCsv(rows, stamp, run); });
  writeText(setFolder, QStringLiteral("README.txt"),
            [&] { return setReadme(stamp, files, scale.referenceKerma.has_value()); });
}

}  // namespace palvane
