#pragma once

#include <functional>
#include <vector>

#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "palvane/figures/map_figure.h"
#include "palvane/physics/exports.h"
#include "palvane/state/shared_state.h"

class QLabel;

namespace palvane {

// A report figure drawn into a widget, scaled to fit it whole.
class FigureCanvas : public QWidget {
  Q_OBJECT

 public:
  using Painter = std::function<void(QPainter&)>;
  explicit FigureCanvas(QWidget* parent);
  void setFigure(QSize size, Painter paint);
  // The figure point under a widget position.
  QPointF toFigure(QPointF widgetPosition) const;

 signals:
  void hovered(QPointF figurePoint);
  void left();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  double scale() const;
  QPointF offset() const;

  QSize size_{1, 1};
  Painter paint_;
};

// The map on display read as numbers, in a resizable window of its own: the figure of a
// saved set (millimetre axes, the sides named, a colour bar with numbers, the cells beyond
// the heel cut-off hatched) with contour lines at round values and the numbered points,
// beside it the profiles along the X axis with numbered axes, and below them the value
// under the mouse.
class MapView : public QWidget {
  Q_OBJECT

 public:
  explicit MapView(QWidget* parent = nullptr);

  // pointsMm: the numbered points, X and Y in mm.
  void showMap(const FieldMap& map, MapQuantity quantity, double axisHvl, const FieldMap& fluence,
               const FieldMap& kerma, const FieldMap& hvl, const QStringList& caption,
               const std::vector<QPointF>& pointsMm);

  const MapScale& scale() const { return scale_; }
  const std::vector<QPointF>& points() const { return marks_.points; }
  // The read-out of the value at X, Y in mm, as shown under the mouse: "X = 20.0 mm,
  // Y = 10.0 mm:  93.2 %", or with kBeyondCutOffText (point_list.h) in the language chosen.
  QString valueAt(double xMm, double yMm) const;
  QString hoverText() const;

 private:
  FieldMap map_{};
  MapQuantity quantity_ = MapQuantity::kEnergyFluence;
  double axisHvl_ = 0.0;
  MapScale scale_;
  MapMarks marks_;
  FigureCanvas* mapCanvas_ = nullptr;
  FigureCanvas* profileCanvas_ = nullptr;
  QLabel* hover_ = nullptr;
};

}  // namespace palvane
