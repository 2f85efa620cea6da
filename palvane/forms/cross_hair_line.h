#pragma once

#include <QWidget>

namespace palvane {

class PictureBox;

// A line control used as a cross-hair: a thin line across the whole of a picture, placed
// in the picture's user units. It lets the mouse events through to the picture below.
class CrossHairLine : public QWidget {
  Q_OBJECT

 public:
  enum class Direction { Horizontal, Vertical };

  CrossHairLine(PictureBox* picture, Direction direction);

  // Places a horizontal line at ordinate y, a vertical one at abscissa x (user units).
  void moveToUser(double coordinate);
  double userCoordinate() const { return userCoordinate_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void placeOnPicture();

  PictureBox* picture_;
  Direction direction_;
  double userCoordinate_ = 0.0;
};

}  // namespace palvane
