#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include <QObject>
#include <QString>

#include "calibration/hvl_fit.h"
#include "calibration/output_calibration.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace palvane {

// Messages of the calibration panel. %1 names the entry ("row 2, measured HVL (mm Al)").
inline constexpr char kCalibrationNotANumberMessage[] =
    "Calibration, %1: \"%2\" is not a number. Nothing was changed.";
inline constexpr char kCalibrationEmptyEntryMessage[] =
    "Calibration, %1: the entry is empty while its partner is filled in. Nothing was changed.";
inline constexpr char kCalibrationVoltageOutOfRangeMessage[] =
    "Calibration, %1: %2 kV is outside 20 to 50 kV. Nothing was changed.";
inline constexpr char kCalibrationNotPositiveMessage[] =
    "Calibration, %1: %2 must be above 0. Nothing was changed.";
inline constexpr char kCalibrationOutputTooLargeMessage[] =
    "Calibration: an output of %1 µGy/mAs at %2 cm is too large to compute with. Nothing was "
    "changed.";
inline constexpr char kCalibrationNoPairMessage[] =
    "Calibration: enter at least one row of tube voltage and measured HVL. Nothing was changed.";
// %1 the measured HVL, %2 its tube voltage, %3 the model's HVL at the end of the range.
inline constexpr char kCalibrationHvlBelowModelMessage[] =
    "Calibration: the measured HVL %1 mm at %2 kV is below the model's %3 mm with no "
    "aluminium, so no aluminium-equivalent thickness from 0 to 5 mm reaches it. Nothing was "
    "changed.";
inline constexpr char kCalibrationHvlAboveModelMessage[] =
    "Calibration: the measured HVL %1 mm at %2 kV is above the model's %3 mm with 5 mm of "
    "aluminium, so no aluminium-equivalent thickness from 0 to 5 mm reaches it. Nothing was "
    "changed.";
inline constexpr char kCalibrationFitImpossibleMessage[] =
    "Calibration: the model gives no HVL for these settings (%1). Nothing was changed.";
// %1 the file, %2 and %3 the targets of the file and of the form.
inline constexpr char kCalibrationOtherTargetMessage[] =
    "%1: this calibration is for the %2 target, but the form is set for the %3 target. "
    "Nothing was changed.";
inline constexpr char kCalibrationFileProblemMessage[] = "%1. Nothing was changed.";

// An aluminium-equivalent thickness in mm as the spectrum form's aluminium box holds it,
// with the box's pattern "#0.00".
QString aluminiumBoxText(double aluminium);

// The tube calibration on the spectrum form: measured (kV, HVL) pairs and the fit of the
// aluminium-equivalent thickness to them for the form's other settings, the measured
// output that puts the air kerma on an absolute scale, and the file that keeps both. Its
// controls lie on a plain panel of the form, which owns it.
class CalibrationPanel : public QObject {
  Q_OBJECT

 public:
  static constexpr int kRows = 3;

  // Creates the controls on `panel`. `aluminiumBox` is the spectrum form's
  // aluminium-equivalent box, which the fit fills.
  CalibrationPanel(QLineEdit& aluminiumBox, QFrame& panel);

  // The output in force: set by the output button or a loaded file; nullopt while none is.
  const std::optional<calibration::OutputCalibration>& outputCalibration() const { return output_; }
  // The last fit's aluminium-equivalent thickness in mm, unrounded.
  std::optional<double> fittedAluminium() const { return fittedAluminium_; }

  // Fits the aluminium-equivalent thickness to the pairs for the form's target and
  // settings, puts it into the aluminium box as "#0.00" and shows each pair's model HVL
  // and difference. Bad entries and unreachable HVLs are reported; then nothing changes.
  void FitButton_Click();
  // Sets the output from its entries, or clears it when both are empty.
  void OutputButton_Click();
  void LoadButton_Click();
  void SaveButton_Click();
  // Fills the panel (and the aluminium box, when the file holds a thickness) from a
  // calibration file of the form's target; returns false after reporting a bad file.
  bool loadFrom(const QString& file);
  // Writes the panel's entries to a calibration file; returns false after a report.
  bool saveTo(const QString& file);

 private:
  struct Row {
    QLineEdit* tubeVoltage = nullptr;
    QLineEdit* hvl = nullptr;
    QLineEdit* modelHvl = nullptr;
    QLineEdit* difference = nullptr;
  };
  // The pairs of the filled rows, with the row of each; nullopt after reporting a bad entry.
  struct Pairs {
    std::vector<calibration::HvlPair> pairs;
    std::vector<int> rows;
  };

  void createControls();  // calibration_panel_layout.cpp
  std::optional<Pairs> readPairs();
  // The output of the entries (nullopt inside when both are empty); nullopt after a report.
  std::optional<std::optional<calibration::OutputCalibration>> readOutput();
  // The number of an entry, or nullopt after reporting an empty or non-numeric one.
  std::optional<double> numberEntry(const QLineEdit& box, const QString& name,
                                    std::initializer_list<std::string_view> units);
  // A positive number of an entry, or nullopt after reporting it.
  std::optional<double> positiveEntry(const QLineEdit& box, const QString& name,
                                      std::initializer_list<std::string_view> units);
  void showFit(const calibration::HvlFit& fit, const std::vector<int>& rows);
  void showAluminium(double aluminium);
  void setOutput(const std::optional<calibration::OutputCalibration>& output);
  void clearModelColumns();
  void warn(const QString& text);

  QLineEdit& aluminiumBox_;
  QFrame& panel_;
  std::array<Row, kRows> rows_{};
  QPushButton* FitButton_ = nullptr;
  QLabel* FitResultLabel_ = nullptr;
  QLineEdit* OutputKermaText_ = nullptr;
  QLineEdit* OutputDistanceText_ = nullptr;
  QPushButton* OutputButton_ = nullptr;
  QLabel* ReferenceKermaLabel_ = nullptr;
  QPushButton* LoadButton_ = nullptr;
  QPushButton* SaveButton_ = nullptr;
  std::optional<calibration::OutputCalibration> output_;
  std::optional<double> fittedAluminium_;
};

}  // namespace palvane
