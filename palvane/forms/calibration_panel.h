#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include <QObject>
#include <QString>

#include "calibration/heel_fit.h"
#include "calibration/hvl_fit.h"
#include "calibration/output_calibration.h"
#include "calibration/tube_profile.h"
#include "palvane/forms/calibration_messages.h"
#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/calibration_state.h"
#include "palvane/physics/tube_calibration.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace palvane {

// An aluminium-equivalent thickness in mm as the spectrum form's aluminium box holds it,
// with the box pattern of its setting ("#0.00").
QString aluminiumBoxText(double aluminium);
// Today's date as a profile states its measurements': "2026-12-08".
std::string todayText();

// The tube calibration on the spectrum form: the tube's profile (calibration::TubeProfile)
// with its name, the measured (kV, HVL) pairs and the fit of the aluminium-equivalent
// thickness to them for the form's other settings (one fit per added filter), the measured
// output with the settings it was measured at, the file that keeps them, and a line that
// says whether the form's settings are calibrated. Its controls lie on a plain panel of the
// form, which owns it.
class CalibrationPanel : public QObject {
  Q_OBJECT

 public:
  static constexpr int kRows = 3;

  // Creates the controls on `panel`. `aluminiumBox` is the spectrum form's
  // aluminium-equivalent box, which the fit fills; `targetAngleBox` its target angle box,
  // which the heel fit fills.
  CalibrationPanel(QLineEdit& aluminiumBox, QLineEdit& targetAngleBox, QFrame& panel);

  // The profile in force: made by a fit or an output, or loaded; nullopt while none is.
  const std::optional<calibration::TubeProfile>& profile() const { return profile_; }
  // The measured output in force, with its settings; nullopt while none is.
  std::optional<calibration::OutputMeasurement> outputMeasurement() const;
  // The state of the form's settings for the profile (not for these settings while a
  // setting is not a number).
  CalibrationStatus status() const;
  // Why the profile does not serve the settings of a status, in the language chosen now.
  static QString reasonText(const std::optional<calibration::TubeProfile>& profile,
                            const CalibrationStatus& status);
  // The line that states a status, in the language chosen now, and its colour; the
  // profile's name from `profile` (the panel's own when not given).
  QString stateText(const CalibrationStatus& status) const { return stateText(profile_, status); }
  static QString stateText(const std::optional<calibration::TubeProfile>& profile,
                           const CalibrationStatus& status);
  static QString stateStyle(CalibrationState state);
  // Called on every change of the form's settings: on a change of the added filter, the
  // profile's fit for the new filter goes into the aluminium box and the rows when it has
  // one (the box keeps its text otherwise); then the state line is renewed.
  void settingsChanged();

 signals:
  // After the profile or the form's settings changed (with the state line renewed).
  void calibrationChanged();

 public:
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
  // Opens the heel dialog (calibration_panel_heel.cpp).
  void HeelButton_Click();
  // Fits the target angle to the measured heel for the form's settings (and, when the
  // profile has a fit for the form's filter, the aluminium with it in turn), puts both
  // into the form's boxes and keeps them in the profile with the heel; reports why not and
  // returns nullopt when no angle from 5 to 30 degrees reaches the measurement.
  std::optional<calibration::HeelFit> fitHeel(const std::vector<calibration::HeelPoint>& points);
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
  void showOutput();
  void showFilterCalibration(const calibration::FilterCalibration* fit);
  void showState();
  // The profile for the form's target: the one in force, or a new one (named from the name
  // box) when there is none or it is for the other target.
  calibration::TubeProfile& profileForForm();
  void clearModelColumns();
  void warn(const QString& text);

  QLineEdit& aluminiumBox_;
  QLineEdit& targetAngleBox_;
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
  QPushButton* HeelButton_ = nullptr;
  QLineEdit* ProfileNameText_ = nullptr;
  QLabel* StateLabel_ = nullptr;
  std::optional<calibration::TubeProfile> profile_;
  std::optional<double> fittedAluminium_;
  // The filter key of the settings when they were last seen, to notice its change.
  std::optional<std::string> shownFilter_;
  bool applying_ = false;  // the panel itself is changing the aluminium box
};

}  // namespace palvane
