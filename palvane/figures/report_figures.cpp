#include "palvane/figures/report_figures.h"

#include <QPainter>
#include <QPointF>

#include "palvane/figures/curve_figures.h"
#include "palvane/figures/figure_caption.h"
#include "palvane/figures/figure_files.h"
#include "palvane/figures/map_figure.h"

namespace palvane {

namespace {

constexpr MapQuantity kQuantities[] = {MapQuantity::kEnergyFluence, MapQuantity::kAirKerma,
                                       MapQuantity::kHvl};

void addFigure(std::vector<SetFile>& files, const QString& stem, QSize size, const QString& title,
               const FigurePainter& paint) {
  files.push_back(
      {(stem + QStringLiteral(".png")).toStdString(), figurePng(size, paint).toStdString()});
  files.push_back(
      {(stem + QStringLiteral(".svg")).toStdString(), figureSvg(size, title, paint).toStdString()});
}

const FieldMap& mapOf(const ReportSetContents& contents, MapQuantity quantity) {
  switch (quantity) {
    case MapQuantity::kEnergyFluence:
      return contents.fluence;
    case MapQuantity::kAirKerma:
    case MapQuantity::kAbsoluteAirKerma:
      return contents.kerma;
    case MapQuantity::kHvl:
      break;
  }
  return contents.hvl;
}

}  // namespace

std::vector<SetFile> reportSetFigures(const ReportSetContents& contents) {
  const QStringList caption = figureCaption(contents.stamp, contents.run);
  const double axisHvl = contents.stamp.references ? contents.stamp.references->hvl : 0.0;
  std::vector<QPointF> points;  // the clicked points, X and Y in mm
  for (std::size_t n = 1; n < contents.spectra.size(); ++n) {
    const SpectrumExportSettings& settings = contents.spectra[n].settings;
    points.emplace_back(10.0 * settings.pointX, 10.0 * settings.pointY);
  }

  std::vector<SetFile> files;
  for (const MapQuantity quantity : kQuantities) {
    addFigure(files, QStringLiteral("map_") + QLatin1String(mapQuantityFileTag(quantity)),
              mapFigureSize(caption.size()), mapFigureTitle(quantity), [&](QPainter& painter) {
                paintMapFigure(painter, mapOf(contents, quantity), quantity, axisHvl, caption,
                               MapMarks{false, points});
              });
  }
  addFigure(files, QStringLiteral("profiles"), curveFigureSize(caption.size()),
            QStringLiteral("Profiles"), [&](QPainter& painter) {
              paintProfilesFigure(painter, contents.fluence, contents.kerma, contents.hvl, caption);
            });
  if (contents.referenceKerma) {
    addFigure(files, QStringLiteral("map_absolute_air_kerma"), mapFigureSize(caption.size()),
              mapFigureTitle(MapQuantity::kAbsoluteAirKerma), [&](QPainter& painter) {
                paintMapFigure(painter, contents.kerma, MapQuantity::kAbsoluteAirKerma,
                               *contents.referenceKerma, caption);
              });
  }
  if (contents.spectra.empty()) return files;

  std::vector<SpectrumCurve> curves;
  for (std::size_t n = 0; n < contents.spectra.size(); ++n) {
    const KeptSpectrum& spectrum = contents.spectra[n];
    curves.push_back(
        {&spectrum.photons, spectrum.normaliser,
         spectrumName(static_cast<int>(n), spectrum.settings.pointX, spectrum.settings.pointY),
         n == 0, QColor()});
  }
  // The spectra's own air layer and settings, those of the beam-axis spectrum.
  const SpectrumExportSettings& axis = contents.spectra.front().settings;
  const QStringList spectraCaption = figureCaption(contents.stamp, axis.setup);
  addFigure(files, QStringLiteral("spectra"), curveFigureSize(spectraCaption.size()),
            QStringLiteral("Spectra"),
            [&](QPainter& painter) { paintSpectraFigure(painter, curves, spectraCaption); });
  return files;
}

}  // namespace palvane
