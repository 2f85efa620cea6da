// The spectrum form's save and its kept curves: a new folder holding the drawn spectrum
// for a report, and earlier spectra kept on the graph for comparison.

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "palvane/figures/curve_figures.h"
#include "palvane/figures/figure_caption.h"
#include "palvane/figures/figure_files.h"
#include "palvane/figures/figure_frame.h"
#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/message_box.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/run_texts.h"
#include "palvane/forms/saving.h"
#include "palvane/forms/translated_text.h"
#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/report_set.h"
#include "text_files/file_error.h"

namespace palvane {

namespace {

// More kept curves than this would no longer be told apart.
constexpr std::size_t kMostKeptCurves = 4;

QString keptName(std::size_t number, const KeptSpectrum& spectrum) {
  return QStringLiteral("%1: ").arg(number) +
         runDescription(spectrum.settings.targetType, spectrum.settings.tube);
}

// Kept curve n in the colours of points 3, 4, ...: apart from the light red of the drawn
// curve.
QColor keptColour(std::size_t number) { return pointColour(static_cast<int>(number) + 2); }

Rgb rgbOf(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

}  // namespace

void Form2::SaveButton_Click() {
  const QString folder = askSaveFolder(this);
  if (folder.isEmpty()) return;
  const QString saved = saveTo(folder);
  if (!saved.isEmpty()) showNote(kSavedToText, QDir::toNativeSeparators(saved));
}

QString Form2::saveTo(const QString& folder) {
  if (!drawnSpectrum_) {
    showWarning(this, translated(kNoSpectrumToSaveMessage));
    return {};
  }
  const QDateTime now = QDateTime::currentDateTime();
  // The spectrum's files state the calibration at its settings, its absolute air kerma too.
  KeptSpectrum spectrum = *drawnSpectrum_;
  const SpectrumExportSettings& drawn = spectrum.settings;
  spectrum.settings.absoluteAirKerma = spectrumAbsoluteKerma(
      drawn, CalibrationPanel_->scaleAt(drawn.targetType, drawn.tube, drawn.layers));
  ExportStamp stamp = exportStamp(now, std::nullopt);
  stamp.calibration = CalibrationPanel_->stateLines(drawn.targetType, drawn.tube, drawn.layers);
  const ExportSettings settings{drawn.targetType, drawn.tube, drawn.airLayer};
  QString setFolder;
  const bool saved = saveReportingErrors(this, [&] {
    std::string name;
    try {
      name = setFolderName(now.toString(QStringLiteral("yyyy-MM-dd_HHmm")).toStdString(), settings);
    } catch (const ExportError& error) {
      throw FileError(QDir::toNativeSeparators(folder).toStdString() + ": " + error.what());
    }
    setFolder = makeSetFolder(folder, QString::fromStdString(name) + QStringLiteral("_spectrum"));
    try {
      writeSpectrumCsv(exportPath(setFolder, QStringLiteral("spectrum_axis.csv")), spectrum, stamp);
      std::vector<SpectrumCurve> curves = {
          {&spectrum.photons, spectrum.normaliser, spectrumName(0, 0, 0), true}};
      for (std::size_t n = 1; n <= keptCurves_.size(); ++n) {
        const KeptSpectrum& kept = keptCurves_[n - 1];
        writeSpectrumCsv(exportPath(setFolder, QStringLiteral("spectrum_kept_%1.csv").arg(n)), kept,
                         stamp);
        curves.push_back({&kept.photons, kept.normaliser, keptName(n, kept), false, keptColour(n)});
      }
      QStringList caption = figureCaption(stamp, settings);
      for (const std::string& line : beamQualityLines(drawn.quality, drawn.axisAirKerma)) {
        caption << QString::fromStdString(line);
      }
      saveFigure(setFolder, QStringLiteral("spectrum_axis"), curveFigureSize(caption.size()),
                 QStringLiteral("Photon spectra"),
                 [&](QPainter& painter) { paintSpectraFigure(painter, curves, caption); });
    } catch (const FileError&) {
      // No half set stays behind.
      QDir(setFolder).removeRecursively();
      throw;
    }
  });
  return saved ? setFolder : QString();
}

void Form2::KeepCurveButton_Click() {
  if (!drawnSpectrum_ || keptCurves_.size() >= kMostKeptCurves) return;
  keptCurves_.push_back(*drawnSpectrum_);
  listKeptCurves();
}

void Form2::ClearKeptButton_Click() {
  keptCurves_.clear();
  listKeptCurves();
}

void Form2::drawKeptCurves() {
  // Thin polylines through the bin centres, relative to each curve's own peak, under the
  // curve drawn next.
  Picture3_->setPenWidth(1);
  for (std::size_t n = 1; n <= keptCurves_.size(); ++n) {
    const KeptSpectrum& kept = keptCurves_[n - 1];
    const Rgb colour = rgbOf(keptColour(n));
    Picture3_->point(1000.0, 2100.0, colour);
    for (int i = 1; i <= kLastBin; ++i) {
      Picture3_->lineTo(1000.0 + 20.0 * i, 2100.0 - 2000.0 * kept.photons[i] / kept.normaliser,
                        colour);
    }
  }
}

void Form2::listKeptCurves() {
  QStringList lines;
  for (std::size_t n = 1; n <= keptCurves_.size(); ++n) {
    lines << QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2")
                 .arg(keptColour(n).name(), keptName(n, keptCurves_[n - 1]).toHtmlEscaped());
  }
  KeptCurvesLabel_->setText(lines.join(QStringLiteral("<br>")));
  ClearKeptButton_->setEnabled(!keptCurves_.empty());
}

}  // namespace palvane
