#pragma once

#include <vector>

#include <QLineF>
#include <QPointF>
#include <QSize>
#include <QStringList>

#include "palvane/figures/figure_frame.h"

#include "palvane/physics/exports.h"
#include "palvane/state/shared_state.h"

class QPainter;

namespace palvane {

// The figure of one relative map for a report: the map mirrored about the anode-cathode
// axis over X 0 to 150 mm and Y -100 to 100 mm with millimetre axes and the sides named,
// a viridis colour bar from 0 to the map's maximum (percent of the beam axis, or the HVL
// in mm of aluminium for the HVL map), the cells beyond the heel cut-off (value 0, not
// computed) hatched in grey, the reference point marked, and the caption lines below.

// The size in logical pixels of a map figure with `captionLines` caption lines.
QSize mapFigureSize(int captionLines);

// The numbers of a map figure: the top of its scale (the largest value shown), the
// numbered ticks of its colour bar, and the round values its contour lines follow (every
// 10 % of the beam axis, or every 0.05 mm of HVL, 20 % or 0.1 mm where that would give
// more than eight lines), all in the shown unit (percent, or mm for the HVL).
struct MapScale {
  double top = 1.0;
  std::vector<double> ticks;
  std::vector<double> contours;
};
// axisValue: the beam-axis HVL in mm, which turns the relative HVL map into millimetres,
// or the reference kerma in uGy/mAs, which puts the air-kerma map on its absolute scale.
MapScale mapScale(const FieldMap& map, MapQuantity quantity, double axisValue);

// The contour line at the shown value `level`, as segments in mm (X along the axis, Y
// across it, both sides), found cell by cell between grid points that were computed.
std::vector<QLineF> contourSegments(const FieldMap& map, MapQuantity quantity, double axisValue,
                                    double level);

// The map's plot area in the figure: its rectangle and X, Y ranges in mm.
PlotArea mapPlotArea();

// What a map figure may show besides the map: its contour lines, and numbered points
// (X, Y in mm; point n at index n - 1) in their colours.
struct MapMarks {
  bool contours = false;
  std::vector<QPointF> points;
};

void paintMapFigure(QPainter& painter, const FieldMap& map, MapQuantity quantity, double axisValue,
                    const QStringList& caption, const MapMarks& marks = {});

// Draws numbered point markers at the pixel positions, point n at index n - 1.
void drawPointMarkers(QPainter& painter, const std::vector<QPointF>& pixels);

// The figure's title: the quantity it shows.
QString mapFigureTitle(MapQuantity quantity);

}  // namespace palvane
