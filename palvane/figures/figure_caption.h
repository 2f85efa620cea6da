#pragma once

#include <QString>
#include <QStringList>

#include "palvane/physics/exports.h"

namespace palvane {

// The caption of a report figure: target, tube voltage, angles, each filter and the air
// layer; the reference values when known; the program and the date.
QStringList figureCaption(const ExportStamp& stamp, const ExportSettings& settings);

// The legend entry of a spectrum at the point (x, y) in cm: "Point X = 20 mm, Y = 30 mm",
// or "Beam axis" for a spectrum on the axis.
QString spectrumName(bool beamAxis, double x, double y);

}  // namespace palvane
