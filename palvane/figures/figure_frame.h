#pragma once

#include <vector>

#include <QColor>
#include <QCoreApplication>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace palvane {

// The texts of the figures, translatable through Qt's translation system.
class FigureTexts {
  Q_DECLARE_TR_FUNCTIONS(FigureTexts)
};

// The multiples of `step` from `low` to `high`, both included where they are multiples.
std::vector<double> ticksEvery(double low, double high, double step);
// The least tick step above (high - low) / count from 1, 2, 5 times a power of ten.
double niceStep(double low, double high, int count);

// The perceptually uniform viridis scale at t in 0..1 (dark violet to yellow).
QColor viridis(double t);

// The colour of the numbered point `number` (1, 2, ...) in every picture that shows points:
// point 1 light blue, as the display form draws a point spectrum, the others in colours
// that stay apart for readers with a red-green deficiency.
QColor pointColour(int number);

// Grey hatching: the region beyond the heel cut-off, where nothing is computed.
void fillCutOff(QPainter& painter, const QRectF& rect);

// A plot area on the figure in logical pixels and the data ranges it shows.
struct PlotArea {
  QRectF rect;
  double xLow = 0, xHigh = 1, yLow = 0, yHigh = 1;

  QPointF at(double x, double y) const {
    return {rect.left() + (x - xLow) / (xHigh - xLow) * rect.width(),
            rect.bottom() - (y - yLow) / (yHigh - yLow) * rect.height()};
  }
};

// The frame of the plot area with outward ticks every `xStep` / `yStep` and numbered
// ticks every `xLabelStep` / `yLabelStep`, and the titles of both axes.
struct AxisMarks {
  double xStep, xLabelStep, yStep, yLabelStep;
  QString xTitle, yTitle;
};
void drawAxes(QPainter& painter, const PlotArea& area, const AxisMarks& marks);

// A number as a tick label: no trailing zeros, a full stop as decimal point.
QString tickLabel(double value);

// The title above the figure and the caption lines below `top`, left-aligned at `left`.
void drawTitle(QPainter& painter, const QRectF& band, const QString& title);
void drawCaption(QPainter& painter, double left, double top, const QStringList& lines);

// One legend entry per name in the colour beside it, in a box at the top-right corner
// of the plot area.
struct LegendEntry {
  QString name;
  QColor colour;
  qreal width;
};
void drawLegend(QPainter& painter, const PlotArea& area, const std::vector<LegendEntry>& entries);
// The height in logical pixels of the legend box of `entries` entries.
double legendHeight(int entries);

// The height of a caption of `lines` lines in logical pixels.
double captionHeight(int lines);

}  // namespace palvane
