#pragma once

#include <optional>

#include <QTableWidget>

#include "palvane/physics/kept_spectrum.h"

namespace palvane {

// The text of a point's beam quality where none was computed because the point lies
// beyond the heel cut-off, and where it is not defined; shown through translated().
inline constexpr char kBeyondCutOffText[] = QT_TRANSLATE_NOOP("palvane", "ヒールカットオフより先");
inline constexpr char kQualityUndefinedText[] =
    QT_TRANSLATE_NOOP("palvane", "線質は定義されません");

// The display form's list of its numbered points, one row each: the number in the point's
// colour, X and Y to 0.1 mm, mean energy, HVL1, HVL2, relative and (with an output
// calibration) absolute air kerma; kBeyondCutOffText in place of the beam quality
// of a point beyond it.
class PointList : public QTableWidget {
  Q_OBJECT

 public:
  explicit PointList(QWidget* parent);
  void addPoint(const KeptSpectrum& spectrum, bool beyondCutOff,
                std::optional<double> absoluteKerma);
  void clearPoints();
};

}  // namespace palvane
