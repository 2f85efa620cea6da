#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include <QDialog>

#include "calibration/heel_fit.h"
#include "palvane/forms/calibration_messages.h"

class QLabel;
class QLineEdit;

namespace palvane {

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
