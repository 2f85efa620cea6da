#include "palvane/figures/figure_frame.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

namespace palvane {

namespace {

constexpr double kTickLength = 5.0;
constexpr double kCaptionLineHeight = 17.0;
constexpr int kTitlePixels = 17;
constexpr int kTextPixels = 12;

QFont figureFont(int pixels, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// Whether `value` is a whole multiple of `step`, allowing for rounding.
bool onStep(double value, double step) {
  const double steps = value / step;
  return std::fabs(steps - std::round(steps)) < 1e-6;
}

}  // namespace

double niceStep(double low, double high, int count) {
  const double raw = std::max((high - low) / count, 1e-12);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (factor * power >= raw * (1 - 1e-9)) return factor * power;
  }
  return 10.0 * power;
}

std::vector<double> ticksEvery(double low, double high, double step) {
  std::vector<double> ticks;
  const double first = std::ceil(low / step - 1e-9);
  for (double n = first; n * step <= high + step * 1e-9; n += 1.0) {
    ticks.push_back(n == 0.0 ? 0.0 : n * step);
  }
  return ticks;
}

QColor viridis(double t) {
  // The scale at t = 0, 0.1, ..., 1, joined linearly.
  static constexpr std::array<std::array<int, 3>, 11> kStops = {{{68, 1, 84},
                                                                 {72, 36, 117},
                                                                 {65, 68, 135},
                                                                 {53, 95, 141},
                                                                 {42, 120, 142},
                                                                 {33, 145, 140},
                                                                 {34, 168, 132},
                                                                 {68, 191, 112},
                                                                 {122, 209, 81},
                                                                 {189, 223, 38},
                                                                 {253, 231, 37}}};
  const double scaled = std::clamp(std::isfinite(t) ? t : 0.0, 0.0, 1.0) * 10.0;
  const int stop = std::min(static_cast<int>(scaled), 9);
  const double share = scaled - stop;
  const auto mix = [&](int channel) {
    return static_cast<int>(std::lround(
        kStops[stop][channel] + share * (kStops[stop + 1][channel] - kStops[stop][channel])));
  };
  return QColor(mix(0), mix(1), mix(2));
}

void fillCutOff(QPainter& painter, const QRectF& rect) {
  painter.fillRect(rect, QColor(225, 225, 225));
  painter.fillRect(rect, QBrush(QColor(140, 140, 140), Qt::BDiagPattern));
}

QColor pointColour(int number) {
  static const std::array<QColor, 7> kOthers = {
      QColor(213, 94, 0),   QColor(0, 158, 115),   QColor(204, 121, 167), QColor(230, 159, 0),
      QColor(86, 180, 233), QColor(120, 120, 120), QColor(0, 114, 178)};
  if (number <= 1) return QColor(0, 0, 255);
  return kOthers[(number - 2) % kOthers.size()];
}

QString tickLabel(double value) {
  QString text = QString::number(value, 'f', 6);
  while (text.endsWith(QLatin1Char('0'))) text.chop(1);
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

void drawAxes(QPainter& painter, const PlotArea& area, const AxisMarks& marks) {
  painter.save();
  painter.setFont(figureFont(kTextPixels));
  painter.setPen(QPen(Qt::black, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area.rect);
  const QFontMetricsF metrics(painter.font());
  for (const double x : ticksEvery(area.xLow, area.xHigh, marks.xStep)) {
    const QPointF foot = area.at(x, area.yLow);
    const bool labelled = onStep(x, marks.xLabelStep);
    painter.drawLine(foot, foot + QPointF(0, labelled ? kTickLength * 1.6 : kTickLength));
    if (labelled) {
      const QString label = tickLabel(x);
      painter.drawText(QPointF(foot.x() - metrics.horizontalAdvance(label) / 2,
                               foot.y() + kTickLength * 1.6 + metrics.ascent() + 2),
                       label);
    }
  }
  for (const double y : ticksEvery(area.yLow, area.yHigh, marks.yStep)) {
    const QPointF foot = area.at(area.xLow, y);
    const bool labelled = onStep(y, marks.yLabelStep);
    painter.drawLine(foot, foot - QPointF(labelled ? kTickLength * 1.6 : kTickLength, 0));
    if (labelled) {
      const QString label = tickLabel(y);
      painter.drawText(QPointF(foot.x() - kTickLength * 1.6 - 3 - metrics.horizontalAdvance(label),
                               foot.y() + metrics.ascent() / 2 - 1),
                       label);
    }
  }
  // The axis titles: below the numbers, and turned up along the left side.
  painter.drawText(QPointF(area.rect.center().x() - metrics.horizontalAdvance(marks.xTitle) / 2,
                           area.rect.bottom() + kTickLength * 1.6 + 2 * metrics.height() + 4),
                   marks.xTitle);
  painter.translate(area.rect.left() - 48, area.rect.center().y());
  painter.rotate(-90);
  painter.drawText(QPointF(-metrics.horizontalAdvance(marks.yTitle) / 2, 0), marks.yTitle);
  painter.restore();
}

void drawTitle(QPainter& painter, const QRectF& band, const QString& title) {
  painter.save();
  painter.setFont(figureFont(kTitlePixels, true));
  painter.setPen(Qt::black);
  painter.drawText(band, Qt::AlignCenter, title);
  painter.restore();
}

double captionHeight(int lines) { return kCaptionLineHeight * lines; }

void drawCaption(QPainter& painter, double left, double top, const QStringList& lines) {
  painter.save();
  painter.setFont(figureFont(kTextPixels));
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(painter.font());
  double y = top + metrics.ascent();
  for (const QString& line : lines) {
    painter.drawText(QPointF(left, y), line);
    y += kCaptionLineHeight;
  }
  painter.restore();
}

double legendHeight(int entries) {
  const QFontMetricsF metrics(figureFont(kTextPixels));
  return (metrics.height() + 2) * entries + 6.0;
}

void drawLegend(QPainter& painter, const PlotArea& area, const std::vector<LegendEntry>& entries) {
  if (entries.empty()) return;
  painter.save();
  painter.setFont(figureFont(kTextPixels));
  const QFontMetricsF metrics(painter.font());
  constexpr double kSwatch = 22.0;
  constexpr double kPad = 6.0;
  double widest = 0.0;
  for (const LegendEntry& entry : entries) {
    widest = std::max(widest, metrics.horizontalAdvance(entry.name));
  }
  const double lineHeight = metrics.height() + 2;
  const QRectF box(area.rect.right() - widest - kSwatch - 3 * kPad - 6, area.rect.top() + 6,
                   widest + kSwatch + 3 * kPad, lineHeight * entries.size() + kPad);
  painter.setPen(QPen(Qt::gray, 0.8));
  painter.setBrush(QColor(255, 255, 255, 230));
  painter.drawRect(box);
  double y = box.top() + kPad / 2 + lineHeight / 2;
  for (const LegendEntry& entry : entries) {
    painter.setPen(QPen(entry.colour, entry.width));
    painter.drawLine(QPointF(box.left() + kPad, y), QPointF(box.left() + kPad + kSwatch, y));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(box.left() + 2 * kPad + kSwatch, y + metrics.ascent() / 2 - 1),
                     entry.name);
    y += lineHeight;
  }
  painter.restore();
}

}  // namespace palvane
