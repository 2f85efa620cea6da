#pragma once

#include <vector>

#include <QPointF>
#include <QString>
#include <QWidget>

namespace palvane {

class PictureBox;

// Drawn over a picture box without touching its picture: what the display form adds to
// its map and its spectrum graph for the numbered points. Both let the mouse through to
// the picture and follow its size.

// Numbered markers at points in the picture's user units, point n in pointColour(n).
class PointMarkers : public QWidget {
  Q_OBJECT

 public:
  explicit PointMarkers(PictureBox& picture);
  void setPoints(const std::vector<QPointF>& userPoints);
  const std::vector<QPointF>& points() const { return points_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  PictureBox& picture_;
  std::vector<QPointF> points_;
};

// A legend in the top-right corner of the picture: one line per name, with a swatch in the
// colour of its point number.
class PointLegend : public QWidget {
  Q_OBJECT

 public:
  explicit PointLegend(PictureBox& picture);
  void setEntries(const QStringList& names);
  const QStringList& entries() const { return entries_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void place();

  PictureBox& picture_;
  QStringList entries_;
};

}  // namespace palvane
