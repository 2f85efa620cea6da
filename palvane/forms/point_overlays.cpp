#include "palvane/forms/point_overlays.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include "palvane/figures/figure_frame.h"
#include "palvane/figures/map_figure.h"
#include "palvane/forms/picture_box.h"

namespace palvane {

namespace {

constexpr int kLegendPad = 4;
constexpr int kSwatch = 18;

void prepareOverlay(QWidget& overlay, PictureBox& picture) {
  overlay.setAttribute(Qt::WA_TransparentForMouseEvents);
  overlay.setAttribute(Qt::WA_NoSystemBackground);
  picture.installEventFilter(&overlay);
  overlay.hide();
}

// The forms' own font, a little smaller (the picture's font is the graphs' large one).
QFont legendFont() {
  QFont font = QApplication::font();
  font.setPointSizeF(std::max(6.0, 0.85 * font.pointSizeF()));
  return font;
}

}  // namespace

PointMarkers::PointMarkers(PictureBox& picture) : QWidget(&picture), picture_(picture) {
  setObjectName(QStringLiteral("PointMarkers"));
  prepareOverlay(*this, picture);
  setGeometry(picture.rect());
}

void PointMarkers::setPoints(const std::vector<QPointF>& userPoints) {
  points_ = userPoints;
  setVisible(!points_.empty());
  raise();
  update();
}

void PointMarkers::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  std::vector<QPointF> pixels;
  const double ratio = picture_.devicePixelRatioF();
  for (const QPointF& point : points_) {
    pixels.push_back(QPointF(picture_.toPixel(point.x(), point.y())) / ratio);
  }
  drawPointMarkers(painter, pixels);
}

bool PointMarkers::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &picture_ && event->type() == QEvent::Resize) setGeometry(picture_.rect());
  return QWidget::eventFilter(watched, event);
}

PointLegend::PointLegend(PictureBox& picture) : QWidget(&picture), picture_(picture) {
  setObjectName(QStringLiteral("PointLegend"));
  prepareOverlay(*this, picture);
}

void PointLegend::setEntries(const QStringList& names) {
  entries_ = names;
  setVisible(!entries_.isEmpty());
  place();
  raise();
  update();
}

void PointLegend::place() {
  const QFontMetrics metrics(legendFont());
  int widest = 0;
  for (const QString& name : entries_) widest = std::max(widest, metrics.horizontalAdvance(name));
  const QSize size(widest + kSwatch + 3 * kLegendPad,
                   metrics.height() * static_cast<int>(entries_.size()) + 2 * kLegendPad);
  // At the frame's right edge (50 keV), below the caption of the beam-axis curve and the
  // 100 % line, where the curves of a mammography tube have fallen off.
  const QPoint corner = picture_.toPixel(50, 97) / picture_.devicePixelRatioF();
  setGeometry(QRect(QPoint(corner.x() - size.width() - 2, corner.y() + 3), size));
}

void PointLegend::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(legendFont());
  const QFontMetrics metrics(painter.font());
  painter.setPen(QColor(160, 160, 160));
  painter.setBrush(QColor(255, 255, 255, 235));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  int y = kLegendPad;
  for (int n = 0; n < entries_.size(); ++n) {
    const int middle = y + metrics.height() / 2;
    painter.setPen(QPen(pointColour(n + 1), 2));
    painter.drawLine(kLegendPad, middle, kLegendPad + kSwatch, middle);
    painter.setPen(Qt::black);
    painter.drawText(2 * kLegendPad + kSwatch, y + metrics.ascent(), entries_[n]);
    y += metrics.height();
  }
}

bool PointLegend::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &picture_ && event->type() == QEvent::Resize) place();
  return QWidget::eventFilter(watched, event);
}

}  // namespace palvane
