#pragma once

#include <QString>
#include <QStringList>

#include "palvane/physics/exports.h"

namespace palvane {

// The caption of a report figure: target, tube voltage, angles, each filter and the air
// layer of the set-up; the reference values when known; the program and the date.
QStringList figureCaption(const ExportStamp& stamp, const TubeSetup& setup);

// The legend entry of the spectrum at point `number` (1, 2, ... as the form numbers its
// points), at (x, y) in cm: "Point 2: X = 20.0 mm, Y = 30.0 mm", to 0.1 mm; "Beam axis"
// for number 0, the spectrum on the axis.
QString spectrumName(int number, double x, double y);
// A length in cm as mm to 0.1 mm: "75.5".
QString tenthsOfMillimetre(double centimetres);

}  // namespace palvane
