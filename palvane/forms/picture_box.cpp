#include "palvane/forms/picture_box.h"

#include <algorithm>
#include <cmath>

#include <QColor>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QRect>

#include "palvane/forms/qt_colours.h"

namespace palvane {

namespace {

// Metres per inch: QImage keeps its resolution in dots per metre.
constexpr double kInchesPerMetre = 1.0 / 0.0254;
// The resolution at which one point of type is 96/72 pixels.
constexpr double kLogicalDotsPerInch = 96.0;

}  // namespace

QFont graphFont() {
  QFont font;
  // Times New Roman, else one of the free faces with the same metrics.
  font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                    QStringLiteral("Tinos"), QStringLiteral("Nimbus Roman")});
  font.setStyleHint(QFont::Serif);
  font.setPointSizeF(15.75);
  return font;
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(graphFont());
}

void PictureBox::setScale(double left, double top, double width, double height) {
  scaleLeft_ = left;
  scaleTop_ = top;
  scaleWidth_ = width;
  scaleHeight_ = height;
}

void PictureBox::fitImageToWidget() const {
  const double ratio = devicePixelRatioF();
  const QSize wanted(static_cast<int>(std::lround(width() * ratio)),
                     static_cast<int>(std::lround(height() * ratio)));
  if (image_.size() == wanted) return;
  QImage resized(wanted, QImage::Format_RGB32);
  resized.fill(Qt::white);
  // Text sizes are given in points: keep them at their size on a high-density screen.
  const int dotsPerMetre =
      static_cast<int>(std::lround(kLogicalDotsPerInch * ratio * kInchesPerMetre));
  resized.setDotsPerMeterX(dotsPerMetre);
  resized.setDotsPerMeterY(dotsPerMetre);
  if (!image_.isNull() && !resized.isNull()) {
    QPainter painter(&resized);
    painter.drawImage(0, 0, image_);
  }
  image_ = std::move(resized);
}

QPointF PictureBox::toImagePoint(double x, double y) const {
  fitImageToWidget();
  const double unitsAcross = scaleWidth_ != 0.0 ? scaleWidth_ : image_.width();
  const double unitsDown = scaleHeight_ != 0.0 ? scaleHeight_ : image_.height();
  return {(x - scaleLeft_) * image_.width() / unitsAcross,
          (y - scaleTop_) * image_.height() / unitsDown};
}

QPoint PictureBox::toPixel(double x, double y) const {
  const QPointF exact = toImagePoint(x, y);
  // Clamp before converting so that a far-off coordinate cannot overflow an int.
  constexpr double kLimit = 1.0e6;
  return {static_cast<int>(std::floor(std::clamp(exact.x(), -kLimit, kLimit))),
          static_cast<int>(std::floor(std::clamp(exact.y(), -kLimit, kLimit)))};
}

QPointF PictureBox::toUser(QPointF pixel) const {
  fitImageToWidget();
  if (image_.isNull()) return {scaleLeft_, scaleTop_};
  const double unitsAcross = scaleWidth_ != 0.0 ? scaleWidth_ : image_.width();
  const double unitsDown = scaleHeight_ != 0.0 ? scaleHeight_ : image_.height();
  return {scaleLeft_ + pixel.x() * unitsAcross / image_.width(),
          scaleTop_ + pixel.y() * unitsDown / image_.height()};
}

QPointF PictureBox::widgetToUser(QPointF widgetPosition) const {
  return toUser(widgetPosition * devicePixelRatioF());
}

const QImage& PictureBox::image() const {
  fitImageToWidget();
  return image_;
}

Rgb PictureBox::colourAt(double x, double y) const {
  const QPoint pixel = toPixel(x, y);
  if (!image_.rect().contains(pixel)) return colours::kWhite;
  return toRgb(image_.pixelColor(pixel));
}

void PictureBox::clear() {
  fitImageToWidget();
  image_.fill(Qt::white);
  currentX_ = 0.0;
  currentY_ = 0.0;
  update();
}

void PictureBox::setPenWidth(int width) { penWidth_ = std::max(1, width); }

void PictureBox::setForeColour(Rgb colour) { foreColour_ = colour; }

Rgb PictureBox::foreColour() const { return foreColour_; }

namespace {

QPen solidPen(Rgb colour, int width) {
  return QPen(toQColor(colour), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

}  // namespace

void PictureBox::point(double x, double y, Rgb colour) {
  currentX_ = x;
  currentY_ = y;
  fitImageToWidget();
  if (image_.isNull()) return;
  QPainter painter(&image_);
  painter.setPen(solidPen(colour, penWidth_));
  painter.drawPoint(toPixel(x, y));
  update();
}

void PictureBox::line(double x1, double y1, double x2, double y2, Rgb colour) {
  currentX_ = x2;
  currentY_ = y2;
  fitImageToWidget();
  if (image_.isNull()) return;
  QPainter painter(&image_);
  painter.setPen(solidPen(colour, penWidth_));
  painter.drawLine(toPixel(x1, y1), toPixel(x2, y2));
  update();
}

void PictureBox::lineTo(double x, double y, Rgb colour) {
  line(currentX_, currentY_, x, y, colour);
}

void PictureBox::rectangle(double x1, double y1, double x2, double y2, Rgb colour, bool filled) {
  currentX_ = x2;
  currentY_ = y2;
  fitImageToWidget();
  if (image_.isNull()) return;
  const QPoint corner1 = toPixel(x1, y1);
  const QPoint corner2 = toPixel(x2, y2);
  const int left = std::min(corner1.x(), corner2.x());
  const int top = std::min(corner1.y(), corner2.y());
  const int across = std::abs(corner2.x() - corner1.x());
  const int down = std::abs(corner2.y() - corner1.y());
  QPainter painter(&image_);
  if (filled) {
    // Both corner pixels belong to the box, as they do to its outline.
    painter.fillRect(QRect(left, top, across + 1, down + 1), toQColor(colour));
  } else {
    painter.setPen(solidPen(colour, penWidth_));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(left, top, across, down));
  }
  update();
}

void PictureBox::text(double x, double y, const std::string& utf8Text) {
  fitImageToWidget();
  if (image_.isNull()) return;
  QFont textFont = font();
  textFont.setStyleStrategy(QFont::NoAntialias);
  QPainter painter(&image_);
  painter.setFont(textFont);
  painter.setPen(toQColor(foreColour_));
  const QPoint topLeft = toPixel(x, y);
  painter.drawText(QRect(topLeft, QSize(image_.width(), image_.height())),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                   QString::fromStdString(utf8Text));
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  fitImageToWidget();
  QPainter painter(this);
  painter.drawImage(QRectF(rect()), image_, QRectF(image_.rect()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPointF user = widgetToUser(event->position());
  emit mouseMoved(user.x(), user.y());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  const QPointF user = widgetToUser(event->position());
  emit mousePressed(user.x(), user.y());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

}  // namespace palvane
