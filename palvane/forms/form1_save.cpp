// The display form's save action: a new folder holding the figures and data of the shown
// results, for a report.

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <vector>

#include "palvane/figures/figure_caption.h"
#include "palvane/figures/figure_files.h"
#include "palvane/figures/report_figures.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/map_view.h"
#include "palvane/forms/message_box.h"
#include "palvane/forms/run_texts.h"
#include "palvane/forms/saving.h"
#include "palvane/forms/translated_text.h"
#include "palvane/physics/exports.h"
#include "palvane/physics/report_set.h"
#include "palvane/physics/study_report_set.h"
#include "palvane/state/shared_state.h"
#include "text_files/file_error.h"

namespace palvane {

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
  if (!mapDrawn_ || !study_ || !shownQuantity_) return;
  const SharedState& shared = state();
  const MapQuantity quantity = *shownQuantity_;
  const ExportStamp stamp =
      exportStamp(QDateTime::currentDateTime(),
                  EngineReferences{shared.ReferenceFluence, shared.ReferenceKerma, shared.AxisHvl});
  // The settings and reference values, without the line of a saved figure's date.
  QStringList caption = figureCaption(stamp, study_->settings);
  caption.removeLast();
  if (mapView_ == nullptr) mapView_ = new MapView(this);
  mapView_->showMap(shared.DisplayMap, quantity, shared.AxisHvl, shared.FluenceMap, shared.KermaMap,
                    shared.HvlMap, caption, pointsInMillimetres());
  mapView_->show();
  mapView_->raise();
  mapView_->activateWindow();
}

QString Form1::saveTo(const QString& folder) {
  if (!study_ || !axisSpectrum_) {
    showWarning(this, translated(kNoResultsToSaveMessage));
    return {};
  }
  const SharedState& shared = state();
  const QDateTime now = QDateTime::currentDateTime();
  ExportStamp stamp = exportStamp(
      now, EngineReferences{shared.ReferenceFluence, shared.ReferenceKerma, shared.AxisHvl});
  stamp.calibration = study_->calibration.stateLines;
  QString setFolder;
  const bool saved = saveReportingErrors(this, [&] {
    std::string name;
    try {
      name = setFolderName(now.toString(QStringLiteral("yyyy-MM-dd_HHmm")).toStdString(),
                           study_->settings);
    } catch (const ExportError& error) {
      throw FileError(QDir::toNativeSeparators(folder).toStdString() + ": " + error.what());
    }
    setFolder = makeSetFolder(folder, QString::fromStdString(name));
    try {
      writeSet(setFolder, reportSetContents(stamp));
    } catch (const FileError&) {
      // No half set stays behind.
      QDir(setFolder).removeRecursively();
      throw;
    }
  });
  return saved ? setFolder : QString();
}

ReportSetContents Form1::reportSetContents(const ExportStamp& stamp) const {
  const SharedState& shared = state();
  const ResultMaps maps{shared.ReferenceFluence, shared.FluenceMap, shared.ReferenceKerma,
                        shared.KermaMap,         shared.AxisHvl,    shared.HvlMap};
  return palvane::reportSetContents(shared, stamp, *study_, maps,
                                    StudySpectra{*axisSpectrum_, pointSpectra_});
}

void Form1::writeSet(const QString& setFolder, const ReportSetContents& contents) {
  std::vector<SetFile> files;
  try {
    files = reportSetTexts(contents);
  } catch (const SetFileError& error) {
    throw unwritableExport(exportPath(setFolder, QString::fromStdString(error.file)), error.what());
  }
  for (SetFile& figure : reportSetFigures(contents)) files.push_back(std::move(figure));
  const QDir folder(setFolder);
  for (const SetFile& file : files) {
    replaceFileBytes(folder.filePath(QString::fromStdString(file.name)),
                     QByteArray::fromStdString(file.bytes));
  }
}

}  // namespace palvane
