#include "palvane/figures/map_figure.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "palvane/figures/figure_frame.h"

namespace palvane {

namespace {

constexpr double kPixelsPerMm = 2.0;
constexpr double kFieldLength = 150.0;  // mm along the anode-cathode axis
constexpr double kFieldHalfWidth = 100.0;
constexpr double kCellMm = 2.0;
constexpr QRectF kPlot(90, 66, kPixelsPerMm* kFieldLength, kPixelsPerMm * 2 * kFieldHalfWidth);
constexpr double kBarLeft = 440;
constexpr double kBarWidth = 22;
constexpr int kFigureWidth = 680;
constexpr double kCaptionTop = 556;

// The value shown for a relative map value: percent, or the beam-axis value times it for
// the HVL (mm of aluminium) and the absolute air kerma (uGy/mAs).
double shownValue(double relative, MapQuantity quantity, double axisValue) {
  const bool absolute = quantity == MapQuantity::kHvl || quantity == MapQuantity::kAbsoluteAirKerma;
  return absolute ? axisValue * relative : 100.0 * relative;
}

QString scaleTitle(MapQuantity quantity) {
  switch (quantity) {
    case MapQuantity::kEnergyFluence:
      return FigureTexts::tr("Relative energy fluence (%)");
    case MapQuantity::kAirKerma:
      return FigureTexts::tr("Relative air kerma (%)");
    case MapQuantity::kAbsoluteAirKerma:
      return FigureTexts::tr("Air kerma (µGy/mAs)");
    case MapQuantity::kHvl:
      break;
  }
  return FigureTexts::tr("Al HVL (mm)");
}

void drawCells(QPainter& painter, const PlotArea& area, const FieldMap& map, MapQuantity quantity,
               double axisValue, double top) {
  painter.save();
  painter.setClipRect(area.rect);
  painter.setPen(Qt::NoPen);
  for (int j = kLastMapRow; j >= 1; --j) {
    for (int i = 1; i <= kLastMapColumn; ++i) {
      const double relative = map[i][j];
      const double x = kCellMm * (i - 1);
      const double y = kCellMm * (j - 1);
      for (const double side : {1.0, -1.0}) {
        // A little overlap keeps hairlines from showing between the cells.
        const QRectF cell(area.at(x - kCellMm / 2, side * y + kCellMm / 2),
                          area.at(x + kCellMm / 2, side * y - kCellMm / 2));
        const QRectF covered = cell.normalized().adjusted(-0.3, -0.3, 0.3, 0.3);
        if (!(relative > 0.0) || !std::isfinite(relative)) {
          fillCutOff(painter, covered);
        } else {
          painter.fillRect(covered, viridis(shownValue(relative, quantity, axisValue) / top));
        }
      }
    }
  }
  painter.restore();
}

void drawReferencePoint(QPainter& painter, const PlotArea& area) {
  const QPointF centre = area.at(0, 0);
  painter.save();
  painter.setPen(QPen(Qt::white, 3.0));
  painter.drawLine(centre + QPointF(-7, 0), centre + QPointF(7, 0));
  painter.drawLine(centre + QPointF(0, -7), centre + QPointF(0, 7));
  painter.setPen(QPen(Qt::black, 1.2));
  painter.drawLine(centre + QPointF(-7, 0), centre + QPointF(7, 0));
  painter.drawLine(centre + QPointF(0, -7), centre + QPointF(0, 7));
  painter.drawEllipse(centre, 4.0, 4.0);
  painter.restore();
}

void drawSideNames(QPainter& painter, const PlotArea& area) {
  painter.save();
  QFont font = painter.font();
  font.setPixelSize(12);
  font.setItalic(true);
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const double y = area.rect.bottom() + 54;
  painter.drawText(QPointF(area.rect.left() - 20, y), FigureTexts::tr("chest-wall side"));
  const QString anode = FigureTexts::tr("anode side");
  painter.drawText(QPointF(area.rect.right() + 20 - metrics.horizontalAdvance(anode), y), anode);
  const QString reference = FigureTexts::tr("reference point (beam axis)");
  painter.drawText(QPointF(area.rect.left() + 10, area.rect.center().y() - 10), reference);
  painter.restore();
}

void drawColourBar(QPainter& painter, MapQuantity quantity, double top) {
  const QRectF bar(kBarLeft, kPlot.top(), kBarWidth, kPlot.height());
  painter.save();
  constexpr int kBands = 200;
  for (int band = 0; band < kBands; ++band) {
    const double low = bar.bottom() - bar.height() * (band + 1) / kBands;
    painter.fillRect(QRectF(bar.left(), low - 0.3, bar.width(), bar.height() / kBands + 0.6),
                     viridis((band + 0.5) / kBands));
  }
  painter.setPen(QPen(Qt::black, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(bar);
  QFont font = painter.font();
  font.setPixelSize(12);
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const double step = niceStep(0, top, 6);
  for (const double tick : ticksEvery(0, top, step)) {
    const double y = bar.bottom() - tick / top * bar.height();
    painter.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + 5, y));
    painter.drawText(QPointF(bar.right() + 8, y + metrics.ascent() / 2 - 1), tickLabel(tick));
  }
  // The scale's name along the bar, and what it runs from and to.
  painter.translate(bar.right() + 62, bar.center().y());
  painter.rotate(90);
  const QString title = scaleTitle(quantity);
  painter.drawText(QPointF(-metrics.horizontalAdvance(title) / 2, 0), title);
  painter.resetTransform();
  const QString note = FigureTexts::tr("viridis, 0 to maximum");
  painter.drawText(QPointF(bar.left() - 4, bar.top() - 8), note);

  // The key to the hatched cells.
  const QRectF swatch(bar.left(), bar.bottom() + 40, 22, 14);
  fillCutOff(painter, swatch);
  painter.setPen(Qt::black);
  painter.drawRect(swatch);
  painter.drawText(QPointF(swatch.right() + 6, swatch.top() + metrics.ascent()),
                   FigureTexts::tr("beyond the heel cut-off"));
  painter.drawText(QPointF(swatch.right() + 6, swatch.top() + metrics.ascent() + metrics.height()),
                   FigureTexts::tr("(not computed)"));
  painter.restore();
}

}  // namespace

QSize mapFigureSize(int captionLines) {
  return QSize(kFigureWidth, static_cast<int>(kCaptionTop + captionHeight(captionLines) + 12));
}

QString mapFigureTitle(MapQuantity quantity) {
  switch (quantity) {
    case MapQuantity::kEnergyFluence:
      return FigureTexts::tr("Relative energy fluence");
    case MapQuantity::kAirKerma:
      return FigureTexts::tr("Relative air kerma");
    case MapQuantity::kAbsoluteAirKerma:
      return FigureTexts::tr("Absolute air kerma");
    case MapQuantity::kHvl:
      break;
  }
  return FigureTexts::tr("Aluminium half-value layer");
}

void paintMapFigure(QPainter& painter, const FieldMap& map, MapQuantity quantity, double axisValue,
                    const QStringList& caption) {
  double top = 0.0;
  for (int j = 1; j <= kLastMapRow; ++j) {
    for (int i = 1; i <= kLastMapColumn; ++i) {
      const double value = shownValue(map[i][j], quantity, axisValue);
      if (std::isfinite(value)) top = std::max(top, value);
    }
  }
  if (!(top > 0.0)) top = 1.0;  // nothing computed: any scale shows it

  const PlotArea area{kPlot, 0.0, kFieldLength, -kFieldHalfWidth, kFieldHalfWidth};
  drawTitle(painter, QRectF(0, 8, kFigureWidth, 30), mapFigureTitle(quantity));
  drawCells(painter, area, map, quantity, axisValue, top);
  drawReferencePoint(painter, area);
  drawAxes(painter, area,
           {10.0, 50.0, 10.0, 50.0, FigureTexts::tr("X (mm)"), FigureTexts::tr("Y (mm)")});
  drawSideNames(painter, area);
  drawColourBar(painter, quantity, top);
  drawCaption(painter, 24, kCaptionTop, caption);
}

}  // namespace palvane
