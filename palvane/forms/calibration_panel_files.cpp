// The calibration panel's file: loading a tube's profile into the panel and saving the
// panel's profile.

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "calibration/profile_file.h"
#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/translated_text.h"
#include "palvane/physics/tube_calibration.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/shared_state.h"
#include "text_files/file_error.h"

namespace palvane {

namespace {

const QString kFileFilter = QStringLiteral("*.txt");

std::filesystem::path pathOf(const QString& file) {
  return std::filesystem::path(QFile::encodeName(file).toStdString());
}

QString fileFilters() {
  return translated(QT_TRANSLATE_NOOP("palvane", "校正ファイル (%1)")).arg(kFileFilter) +
         QStringLiteral(";;") + translated(QT_TRANSLATE_NOOP("palvane", "すべてのファイル (*)"));
}

}  // namespace

void CalibrationPanel::LoadButton_Click() {
  const QString file = QFileDialog::getOpenFileName(
      panel_.window(), translated(QT_TRANSLATE_NOOP("palvane", "校正ファイルを開く")), QString(),
      fileFilters());
  if (!file.isEmpty()) loadFrom(file);
}

void CalibrationPanel::SaveButton_Click() {
  calibration::TubeProfile proposed = profile_.value_or(calibration::TubeProfile{});
  proposed.name = ProfileNameText_->text().trimmed().toStdString();
  proposed.target = profile_ ? profile_->target : targetOfFlag(state().TargetType);
  QString file = QFileDialog::getSaveFileName(
      panel_.window(), translated(QT_TRANSLATE_NOOP("palvane", "校正ファイルの保存")),
      QString::fromStdString(calibration::proposedFileName(proposed)), fileFilters());
  if (file.isEmpty()) return;
  // A name typed without an extension gets the one the open dialog lists.
  if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".txt");
  saveTo(file);
}

bool CalibrationPanel::loadFrom(const QString& file) {
  calibration::TubeProfile loaded;
  try {
    loaded = calibration::readProfileFile(pathOf(file));
  } catch (const FileError& error) {
    warn(translated(kCalibrationFileProblemMessage).arg(QString::fromStdString(error.what())));
    return false;
  }
  const int formTarget = state().TargetType;
  if (loaded.target != targetOfFlag(formTarget)) {
    const auto targetName = [](Target target) {
      return translated(target == Target::kMolybdenum ? kMolybdenumTargetName
                                                      : kTungstenTargetName);
    };
    warn(translated(kCalibrationOtherTargetMessage)
             .arg(QDir::toNativeSeparators(file), targetName(loaded.target),
                  targetName(targetOfFlag(formTarget))));
    return false;
  }
  const ParameterTexts& texts = parameterTexts();
  if (loaded.format < 2) {
    // A file of the first format holds one fit and an output without their settings: they
    // were made for the settings of the form they are loaded into, as that format was used.
    if (const std::optional<SettingTextProblem> problem = settingTextProblem(texts)) {
      warn(settingProblemMessage(*problem));
      return false;
    }
    calibration::adoptFirstFormatSettings(loaded, tubeSetupOf(formTarget, texts));
  }
  profile_ = loaded;
  ProfileNameText_->setText(QString::fromStdString(loaded.name));
  OutputKermaText_->setText(loaded.output ? shortestText(loaded.output->output.kermaPerLoad)
                                          : QString());
  OutputDistanceText_->setText(loaded.output ? shortestText(loaded.output->output.distance)
                                             : QString());
  showOutput();
  // The fit of the form's filter goes into the aluminium box, as on a change of filter.
  shownFilter_.reset();
  const calibration::FilterCalibration* fit = nullptr;
  if (!settingTextProblem(texts)) {
    const TubeSetup setup = tubeSetupOf(formTarget, texts);
    shownFilter_ = calibration::filterKey(calibration::filtersOf(setup));
    fit = loaded.filterCalibration(*shownFilter_);
    if (fit != nullptr && !fit->madeFor(setup)) fit = nullptr;
  }
  showFilterCalibration(fit);
  showState();
  return true;
}

bool CalibrationPanel::saveTo(const QString& file) {
  calibration::TubeProfile& profile = profileForForm();
  try {
    calibration::writeProfileFile(pathOf(file), profile);
  } catch (const FileError& error) {
    warn(translated(kCalibrationFileProblemMessage).arg(QString::fromStdString(error.what())));
    return false;
  }
  showState();
  return true;
}

}  // namespace palvane
