// The results button of the spectrum form: read back the settings, the beam-axis spectrum
// and the maps of the last engine run, and show them on the display form.

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/message_box.h"
#include "palvane/forms/run_texts.h"
#include "palvane/physics/study.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/results_loading.h"
#include "palvane/state/shared_state.h"
#include "text_files/file_error.h"
#include "text_files/number_text.h"

namespace palvane {

void Form2::Command5_Click() {
  // Results that are not there yet: say what to do instead of naming a missing file.
  if (const QString notReady = resultsNotReadyMessage(); !notReady.isEmpty()) {
    showWarning(this, notReady);
    return;
  }
  // All three files are read before anything is changed, so that a missing or short
  // file leaves the program as it was.
  EngineResults results;
  try {
    results = LoadEngineResults();
  } catch (const FileError& error) {
    showWarning(this, QString::fromStdString(error.what()));
    return;
  }
  const TubeSetup settingsBefore = tubeSetupOf(state().TargetType, *this);
  StoreEngineResults(results);

  const TubeSetup& settings = results.settings;
  // Selecting a target resets the added filters; they are written back just below.
  (state().TargetType == 0 ? Option1_ : Option2_)->setChecked(true);
  const auto boxText = [&settings](double TubeSetup::*member) {
    return formatted(settings.*member, setupField(member).boxPattern.data());
  };
  Text1_->setText(boxText(&TubeSetup::tubeVoltage));
  Text5_->setText(boxText(&TubeSetup::targetAngle));
  Text3_->setText(boxText(&TubeSetup::tiltAngle));
  Text8_->setText(boxText(&TubeSetup::beryllium));
  Text2_->setText(boxText(&TubeSetup::aluminium));
  Combo1_->setCurrentText(boxText(&TubeSetup::molybdenum));
  Combo2_->setCurrentText(boxText(&TubeSetup::rhodium));
  showLayers(addedLayersOf(settings));
  // Say so when the run's settings replaced others.
  if (const TubeSetup settingsAfter = tubeSetupOf(state().TargetType, *this);
      settingsAfter != settingsBefore) {
    showNote(kSettingsReplacedText, runDescription(settingsAfter));
  }

  Form1& display = *form1();
  display.showResults(
      Study{settings, studyCalibration(state(), CalibrationPanel_->profile(), settings)});
  resultsShown_ = true;
  display.show();
  display.raise();
  display.activateWindow();
  hide();
}

}  // namespace palvane
