#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include <QDialog>

#include "calibration/heel_fit.h"

class QLabel;
class QLineEdit;

namespace palvane {

// Messages of the heel fit. %1 names the entry ("row 2, X (mm)").
inline constexpr char kHeelNotANumberMessage[] =
    "Heel, %1: \"%2\" is not a number. Nothing was changed.";
inline constexpr char kHeelOutOfRangeMessage[] = "Heel, %1: %2 is outside %3. Nothing was changed.";
inline constexpr char kHeelBeyondCutOffMessage[] =
    "Heel, %1: X = %2 mm lies beyond the heel cut-off of the form's angles. Nothing was changed.";
inline constexpr char kHeelNoPointMessage[] =
    "Heel: enter at least one row of X and relative air kerma. Nothing was changed.";
// %1 the nearest angle, %2 the model's values there.
inline constexpr char kHeelUnreachableMessage[] =
    "Heel: no target angle from 5 to 30 degrees reaches the measurement; the nearest, %1°, "
    "gives %2. Nothing was changed.";

// A small dialog of the calibration strip: measured air kerma relative to the beam axis at
// points along the anode-cathode axis, the target angle fitted to it (with the model's value
// and difference at each point), and what a fitted angle is.
class HeelDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kRows = 4;
  // `fit` fits the angle to the points for the form's settings and applies it, or reports
  // why not and returns nullopt; `beyondCutOff` says whether X in mm lies beyond the heel
  // cut-off of the form's angles.
  HeelDialog(
      QWidget* parent,
      std::function<std::optional<calibration::HeelFit>(const std::vector<calibration::HeelPoint>&)>
          fit,
      std::function<bool(double)> beyondCutOff);

  // Reads the rows, fits and shows the result; bad entries are reported and change nothing.
  void FitButton_Click();

 private:
  struct Row {
    QLineEdit* position = nullptr;
    QLineEdit* relative = nullptr;
    QLineEdit* model = nullptr;
    QLineEdit* difference = nullptr;
  };
  std::optional<double> numberEntry(const QLineEdit& box, const QString& name);

  std::array<Row, kRows> rows_{};
  QLabel* ResultLabel_ = nullptr;
  std::function<std::optional<calibration::HeelFit>(const std::vector<calibration::HeelPoint>&)>
      fit_;
  std::function<bool(double)> beyondCutOff_;
};

}  // namespace palvane
