#include "palvane/figures/figure_caption.h"

#include <cmath>

#include "palvane/figures/figure_frame.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

QString number(double value) { return QString::fromStdString(ShortestText(value)); }

}  // namespace

QStringList figureCaption(const ExportStamp& stamp, const TubeSetup& setup) {
  QStringList lines = {
      FigureTexts::tr("Target %1, tube voltage %2 kV, target angle θ %3°, tilt angle φ %4°")
          .arg(setup.target == Target::kMolybdenum ? FigureTexts::tr("molybdenum")
                                                   : FigureTexts::tr("tungsten"),
               number(setup.tubeVoltage), number(setup.targetAngle), number(setup.tiltAngle)),
      FigureTexts::tr("Filters: beryllium %1 mm, aluminium %2 mm, molybdenum %3 mm, rhodium %4 mm; "
                      "air layer %5 cm")
          .arg(number(setup.beryllium), number(setup.aluminium), number(setup.molybdenum),
               number(setup.rhodium), number(setup.airLayer)),
  };
  const AddedLayers layers = addedLayersOf(setup);
  const std::string filters = filtersCaption(layers);
  const std::string plate = plateCaption(layers);
  if (!filters.empty() || !plate.empty()) {
    lines << FigureTexts::tr("Added filters: %1; compression plate: %2")
                 .arg(filters.empty() ? FigureTexts::tr("none") : QString::fromStdString(filters),
                      plate.empty() ? FigureTexts::tr("none") : QString::fromStdString(plate));
  }
  lines << FigureTexts::tr(
      "Image plane 65 cm below the focal spot; values relative to the beam axis");
  if (stamp.references) {
    lines << FigureTexts::tr(
                 "Reference values on the beam axis: energy fluence %1, air kerma %2 "
                 "(model units),")
                 .arg(number(stamp.references->energyFluence), number(stamp.references->airKerma))
          << FigureTexts::tr("    aluminium HVL %1 mm").arg(number(stamp.references->hvl));
  }
  for (const std::string& line : stamp.calibration) {
    lines << FigureTexts::tr("Calibration: %1").arg(QString::fromStdString(line));
  }
  lines << FigureTexts::tr("%1, saved %2")
               .arg(QString::fromStdString(stamp.program), QString::fromStdString(stamp.savedAt));
  return lines;
}

QString tenthsOfMillimetre(double centimetres) {
  // -0.0 reads as 0.0.
  const double tenths = std::round(100.0 * centimetres);
  return QString::number(tenths == 0.0 ? 0.0 : tenths / 10.0, 'f', 1);
}

QString spectrumName(int number, double x, double y) {
  if (number == 0) return FigureTexts::tr("Beam axis");
  return FigureTexts::tr("Point %1: X = %2 mm, Y = %3 mm")
      .arg(number)
      .arg(tenthsOfMillimetre(x), tenthsOfMillimetre(y));
}

}  // namespace palvane
