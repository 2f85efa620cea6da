#pragma once

#include <string>

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QWidget>

#include "palvane/state/form_ports.h"

namespace palvane {

// A drawing area with a persistent picture: what is drawn stays on a backing image until
// it is cleared, and is shown whenever the widget repaints. Positions are in user units:
// the scale (left, top, width, height) maps the whole widget area, and a negative height
// makes y grow upward. Everything is drawn without anti-aliasing, so that each colour
// lands on the pixels exactly and tests can read it back from image().
class PictureBox : public QWidget, public DrawingSurface {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  // The user scale; the default is one unit per pixel with the origin at the top left.
  void setScale(double left, double top, double width, double height);

  void clear() override;
  void setPenWidth(int width) override;
  void setForeColour(Rgb colour) override;
  Rgb foreColour() const override;
  void point(double x, double y, Rgb colour) override;
  void line(double x1, double y1, double x2, double y2, Rgb colour) override;
  void lineTo(double x, double y, Rgb colour) override;
  void rectangle(double x1, double y1, double x2, double y2, Rgb colour, bool filled) override;
  void text(double x, double y, const std::string& utf8Text) override;

  double currentX() const { return currentX_; }
  double currentY() const { return currentY_; }
  int penWidth() const { return penWidth_; }

  // The backing image, one image pixel per device pixel of the widget.
  const QImage& image() const;
  // The image pixel that holds the user point (x, y).
  QPoint toPixel(double x, double y) const;
  // The user point at an image pixel position (pixel edges, not centres).
  QPointF toUser(QPointF pixel) const;
  // The colour of the image pixel that holds the user point (x, y).
  Rgb colourAt(double x, double y) const;

 signals:
  void mouseMoved(double x, double y);
  void mousePressed(double x, double y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // The second press of a double click arrives as a double click; it is no new press (the
  // default would pass it on to mousePressEvent).
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // Gives the backing image the widget's current size in device pixels, keeping what
  // has been drawn; called before every use because a hidden widget gets no resize event.
  void fitImageToWidget() const;
  QPointF toImagePoint(double x, double y) const;
  QPointF widgetToUser(QPointF widgetPosition) const;

  mutable QImage image_;
  double scaleLeft_ = 0.0;
  double scaleTop_ = 0.0;
  double scaleWidth_ = 0.0;   // 0: one unit per device pixel
  double scaleHeight_ = 0.0;  // 0: one unit per device pixel
  double currentX_ = 0.0;
  double currentY_ = 0.0;
  int penWidth_ = 1;
  Rgb foreColour_ = colours::kBlack;
};

// The font of the spectrum graphs: Times New Roman 15.75 pt, or the nearest serif.
QFont graphFont();

}  // namespace palvane
