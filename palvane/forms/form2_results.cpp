// The results button of the spectrum form: read back the settings, the beam-axis spectrum
// and the maps of the last engine run, and show them on the display form.

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>

#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/message_box.h"
#include "palvane/forms/run_texts.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/results_loading.h"
#include "palvane/state/shared_state.h"
#include "text_files/file_error.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

// The settings panel of the display form, one text per line, the first one empty.
QStringList runSettingsLines(const RunSettings& settings) {
  return {
      QString(),
      targetTypeOf(settings.targetFlag) == 0 ? QStringLiteral("   Target : Molybdenum")
                                             : QStringLiteral("   Target : Tungsten"),
      "   Tube Voltage : " + shortestText(settings.tubeVoltage) + " kV",
      "   Target angle : " + shortestText(settings.targetAngle) + " deg.",
      "   Tilt angle : " + shortestText(settings.tiltAngle) + " deg.",
      QStringLiteral("   Filtration"),
      "     Beryllium : " + shortestText(settings.beryllium) + " mm",
      "     Aluminum : " + shortestText(settings.aluminium) + " mm",
      "     Molybdenum : " + shortestText(settings.molybdenum) + " mm",
      "     Rhodium : " + shortestText(settings.rhodium) + " mm",
  };
}

}  // namespace

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
  const DrawnSettings settingsBefore{state().TargetType, readTubeSettings(*this)};
  StoreEngineResults(results);

  const RunSettings& settings = results.settings;
  // Selecting a target resets the added filters; they are written back just below.
  (state().TargetType == 0 ? Option1_ : Option2_)->setChecked(true);
  Text1_->setText(formatted(settings.tubeVoltage, "##.0"));
  Text5_->setText(formatted(settings.targetAngle, "#0.0"));
  Text3_->setText(formatted(settings.tiltAngle, "#0.0"));
  Text8_->setText(formatted(settings.beryllium, "#0.00"));
  Text2_->setText(formatted(settings.aluminium, "#0.00"));
  Combo1_->setCurrentText(formatted(settings.molybdenum, "#0.000"));
  Combo2_->setCurrentText(formatted(settings.rhodium, "#0.000"));
  // Say so when the run's settings replaced others.
  const DrawnSettings settingsAfter{state().TargetType, readTubeSettings(*this)};
  if (settingsAfter != settingsBefore) {
    showNote(kSettingsReplacedText,
             runDescription(settingsAfter.targetType, settingsAfter.settings));
  }

  Form1& display = *form1();
  display.printRunSettings(runSettingsLines(settings));
  display.showNewResults();
  display.show();
  display.raise();
  display.activateWindow();
  hide();
}

}  // namespace palvane
