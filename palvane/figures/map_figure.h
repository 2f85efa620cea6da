#pragma once

#include <QSize>
#include <QStringList>

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

// axisValue: the beam-axis HVL in mm, which turns the relative HVL map into millimetres,
// or the reference kerma in uGy/mAs, which puts the air-kerma map on its absolute scale.
void paintMapFigure(QPainter& painter, const FieldMap& map, MapQuantity quantity, double axisValue,
                    const QStringList& caption);

// The figure's title: the quantity it shows.
QString mapFigureTitle(MapQuantity quantity);

}  // namespace palvane
