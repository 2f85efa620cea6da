#pragma once

#include <vector>

#include <QColor>
#include <QSize>
#include <QString>
#include <QStringList>

#include "palvane/state/shared_state.h"

class QPainter;

namespace palvane {

// The line figures of a report: the three relative quantities along the X axis, and the
// spectra of a set, each with numbered axes, a legend and the caption lines below.

// The size in logical pixels of a line figure with `captionLines` caption lines.
QSize curveFigureSize(int captionLines);

// The rows on the X axis (Y = 0) of the three maps, in percent of the beam axis, over
// X 0 to 150 mm; the region beyond the heel cut-off hatched.
void paintProfilesFigure(QPainter& painter, const FieldMap& fluence, const FieldMap& kerma,
                         const FieldMap& hvl, const QStringList& caption);

// One spectrum of the spectra figure.
struct SpectrumCurve {
  const BinArray* photons = nullptr;  // photons per bin, bins 1..250
  double normaliser = 0.0;            // photons per bin drawn as 100 %
  QString name;                       // its legend entry
  bool beamAxis = false;              // drawn in black, wider
  QColor colour;                      // when valid, instead of its point number's colour
};

// The spectra in percent of their normaliser over 0 keV to the highest tube voltage
// (rounded up to 5 keV), the beam axis in black, the others in the colours of their point
// numbers (pointColour, in their order), with a legend in head room above the curves.
// A spectrum without a positive normaliser is left out.
void paintSpectraFigure(QPainter& painter, const std::vector<SpectrumCurve>& curves,
                        const QStringList& caption);

}  // namespace palvane
