#include "palvane/forms/cross_hair_line.h"

#include <QPainter>

#include "palvane/forms/picture_box.h"

namespace palvane {

namespace {
constexpr int kThicknessPixels = 1;
}

CrossHairLine::CrossHairLine(PictureBox* picture, Direction direction)
    : QWidget(picture), picture_(picture), direction_(direction) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  placeOnPicture();
}

void CrossHairLine::moveToUser(double coordinate) {
  userCoordinate_ = coordinate;
  placeOnPicture();
}

void CrossHairLine::placeOnPicture() {
  // toPixel works in device pixels of the backing image; the child is placed in
  // logical pixels of the picture.
  const double ratio = picture_->devicePixelRatioF();
  const QPoint pixel = picture_->toPixel(userCoordinate_, userCoordinate_);
  if (direction_ == Direction::Horizontal) {
    setGeometry(0, static_cast<int>(pixel.y() / ratio), picture_->width(), kThicknessPixels);
  } else {
    setGeometry(static_cast<int>(pixel.x() / ratio), 0, kThicknessPixels, picture_->height());
  }
}

void CrossHairLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
}

}  // namespace palvane
