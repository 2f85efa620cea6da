#include "palvane/figures/map_figure.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QFontMetricsF>
#include <QImage>
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

// Whether a map value was computed (cells beyond the heel cut-off hold 0).
bool computed(double relative) { return relative > 0.0 && std::isfinite(relative); }

// The cells as one image, 8 pixels to a 2 mm cell, rows j = 51 .. 1 .. 51 from top to
// bottom (the map mirrored about the axis); cells not computed are transparent. One
// embedded image keeps the SVG small, where 7 752 rectangles would not.
QImage cellImage(const FieldMap& map, MapQuantity quantity, double axisValue, double top) {
  constexpr int kCellPixels = 8;
  constexpr int kRows = 2 * kLastMapRow - 1;
  QImage image(kLastMapColumn * kCellPixels, kRows * kCellPixels, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  for (int row = 0; row < kRows; ++row) {
    const int j = std::abs(kLastMapRow - 1 - row) + 1;
    for (int i = 1; i <= kLastMapColumn; ++i) {
      const double relative = map[i][j];
      if (!computed(relative)) continue;
      painter.fillRect((i - 1) * kCellPixels, row * kCellPixels, kCellPixels, kCellPixels,
                       viridis(shownValue(relative, quantity, axisValue) / top));
    }
  }
  return image;
}

void drawCells(QPainter& painter, const PlotArea& area, const FieldMap& map, MapQuantity quantity,
               double axisValue, double top) {
  // The image spans X -1 .. 151 mm and Y -101 .. 101 mm (cells are centred on the grid
  // points); the plot shows X 0 .. 150 and Y -100 .. 100, so half a cell is cut off all
  // round and nothing passes the frame.
  const QImage cells = cellImage(map, quantity, axisValue, top);
  const double perMm = cells.width() / (kCellMm * kLastMapColumn);
  painter.save();
  // Each cell one flat colour, as computed: no blending between neighbours.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(area.rect, cells,
                    QRectF(perMm, perMm, perMm * kFieldLength, perMm * 2 * kFieldHalfWidth));
  painter.restore();
  // The hatching of what was not computed, one rectangle per column run that was not
  // computed at all, else per cell, within the frame.
  painter.save();
  painter.setClipRect(area.rect);
  const auto cellRect = [&](int i, double yLow, double yHigh) {
    const double x = kCellMm * (i - 1);
    return QRectF(
               area.at(std::max(0.0, x - kCellMm / 2), std::min(kFieldHalfWidth, yHigh)),
               area.at(std::min(kFieldLength, x + kCellMm / 2), std::max(-kFieldHalfWidth, yLow)))
        .normalized();
  };
  int runStart = 0;
  for (int i = 1; i <= kLastMapColumn + 1; ++i) {
    bool wholeColumn = i <= kLastMapColumn;
    for (int j = 1; wholeColumn && j <= kLastMapRow; ++j) wholeColumn = !computed(map[i][j]);
    if (wholeColumn) {
      if (runStart == 0) runStart = i;
      continue;
    }
    if (runStart != 0) {
      fillCutOff(painter, cellRect(runStart, -kFieldHalfWidth, kFieldHalfWidth)
                              .united(cellRect(i - 1, -kFieldHalfWidth, kFieldHalfWidth)));
      runStart = 0;
    }
    for (int j = 1; i <= kLastMapColumn && j <= kLastMapRow; ++j) {
      if (computed(map[i][j])) continue;
      const double y = kCellMm * (j - 1);
      for (const double side : {1.0, -1.0}) {
        fillCutOff(painter, cellRect(i, side * y - kCellMm / 2, side * y + kCellMm / 2));
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

void drawColourBar(QPainter& painter, MapQuantity quantity, const MapScale& scale) {
  const double top = scale.top;
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
  for (const double tick : scale.ticks) {
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

MapScale mapScale(const FieldMap& map, MapQuantity quantity, double axisValue) {
  MapScale scale;
  double top = 0.0;
  double lowest = std::numeric_limits<double>::infinity();
  for (int j = 1; j <= kLastMapRow; ++j) {
    for (int i = 1; i <= kLastMapColumn; ++i) {
      const double value = shownValue(map[i][j], quantity, axisValue);
      if (!std::isfinite(value)) continue;
      top = std::max(top, value);
      if (computed(map[i][j])) lowest = std::min(lowest, value);
    }
  }
  scale.top = top > 0.0 ? top : 1.0;  // nothing computed: any scale shows it
  scale.ticks = ticksEvery(0, scale.top, niceStep(0, scale.top, 6));
  if (!std::isfinite(lowest)) return scale;
  const bool hvl = quantity == MapQuantity::kHvl;
  for (const double step : {hvl ? 0.05 : 10.0, hvl ? 0.1 : 20.0}) {
    scale.contours.clear();
    for (const double level : ticksEvery(lowest, top, step)) {
      // A line at the extreme values would be a point or the whole edge (allowing for
      // rounding in the multiples of the step).
      const double margin = 1e-6 * step;
      if (level > lowest + margin && level < top - margin) scale.contours.push_back(level);
    }
    if (scale.contours.size() <= 8) break;
  }
  return scale;
}

std::vector<QLineF> contourSegments(const FieldMap& map, MapQuantity quantity, double axisValue,
                                    double level) {
  // Grid point (i, k) with k = -50 .. 50 across the axis: X = 2 (i - 1), Y = 2 k mm.
  const auto value = [&](int i, int k) { return map[i][std::abs(k) + 1]; };
  const auto at = [](double i, double k) { return QPointF(kCellMm * (i - 1), kCellMm * k); };
  std::vector<QLineF> segments;
  for (int i = 1; i < kLastMapColumn; ++i) {
    for (int k = 1 - kLastMapRow; k < kLastMapRow - 1; ++k) {
      // The corners in order round the cell, and where the level crosses each side.
      const int corners[4][2] = {{i, k}, {i + 1, k}, {i + 1, k + 1}, {i, k + 1}};
      double shown[4];
      bool all = true;
      for (int c = 0; c < 4; ++c) {
        const double relative = value(corners[c][0], corners[c][1]);
        all = all && computed(relative);
        shown[c] = shownValue(relative, quantity, axisValue);
      }
      if (!all) continue;
      std::vector<QPointF> crossings;
      for (int c = 0; c < 4; ++c) {
        const int d = (c + 1) % 4;
        if ((shown[c] >= level) == (shown[d] >= level)) continue;
        const double t = (level - shown[c]) / (shown[d] - shown[c]);
        crossings.push_back(at(corners[c][0] + t * (corners[d][0] - corners[c][0]),
                               corners[c][1] + t * (corners[d][1] - corners[c][1])));
      }
      for (std::size_t n = 0; n + 1 < crossings.size(); n += 2) {
        segments.emplace_back(crossings[n], crossings[n + 1]);
      }
    }
  }
  return segments;
}

PlotArea mapPlotArea() { return {kPlot, 0.0, kFieldLength, -kFieldHalfWidth, kFieldHalfWidth}; }

void drawPointMarkers(QPainter& painter, const std::vector<QPointF>& pixels) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(10);
  font.setBold(true);
  painter.setFont(font);
  for (std::size_t n = 0; n < pixels.size(); ++n) {
    constexpr double kRadius = 7.0;
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(pointColour(static_cast<int>(n + 1)));
    painter.drawEllipse(pixels[n], kRadius, kRadius);
    painter.setPen(Qt::white);
    painter.drawText(
        QRectF(pixels[n].x() - kRadius, pixels[n].y() - kRadius, 2 * kRadius, 2 * kRadius),
        Qt::AlignCenter, QString::number(n + 1));
  }
  painter.restore();
}

namespace {

void drawContours(QPainter& painter, const PlotArea& area, const FieldMap& map,
                  MapQuantity quantity, double axisValue, const MapScale& scale) {
  painter.save();
  painter.setClipRect(area.rect);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(10);
  painter.setFont(font);
  for (const double level : scale.contours) {
    const std::vector<QLineF> segments = contourSegments(map, quantity, axisValue, level);
    if (segments.empty()) continue;
    painter.setPen(QPen(QColor(255, 255, 255, 220), 1.2));
    const QLineF* labelled = &segments.front();
    for (const QLineF& segment : segments) {
      painter.drawLine(area.at(segment.x1(), segment.y1()), area.at(segment.x2(), segment.y2()));
      // The label where the line crosses closest to the axis.
      if (std::fabs(segment.center().y()) < std::fabs(labelled->center().y())) labelled = &segment;
    }
    const QPointF spot = area.at(labelled->center().x(), labelled->center().y());
    painter.setPen(Qt::white);
    painter.drawText(spot + QPointF(3, -3), tickLabel(level));
  }
  painter.restore();
}

}  // namespace

void paintMapFigure(QPainter& painter, const FieldMap& map, MapQuantity quantity, double axisValue,
                    const QStringList& caption, const MapMarks& marks) {
  const MapScale scale = mapScale(map, quantity, axisValue);
  const PlotArea area = mapPlotArea();
  drawTitle(painter, QRectF(0, 8, kFigureWidth, 30), mapFigureTitle(quantity));
  drawCells(painter, area, map, quantity, axisValue, scale.top);
  if (marks.contours) drawContours(painter, area, map, quantity, axisValue, scale);
  drawReferencePoint(painter, area);
  std::vector<QPointF> pixels;
  for (const QPointF& point : marks.points) pixels.push_back(area.at(point.x(), point.y()));
  drawPointMarkers(painter, pixels);
  drawAxes(painter, area,
           {10.0, 50.0, 10.0, 50.0, FigureTexts::tr("X (mm)"), FigureTexts::tr("Y (mm)")});
  drawSideNames(painter, area);
  drawColourBar(painter, quantity, scale);
  drawCaption(painter, 24, kCaptionTop, caption);
}

}  // namespace palvane
