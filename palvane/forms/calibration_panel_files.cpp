// The calibration panel's file: loading a tube's calibration into the panel and saving the
// panel's entries.

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/translated_text.h"
#include "palvane/physics/calibration_file.h"
#include "palvane/state/shared_state.h"
#include "text_files/file_error.h"

namespace palvane {

namespace {

const QString kFileFilter = QStringLiteral("*.txt");

std::filesystem::path pathOf(const QString& file) {
  return std::filesystem::path(QFile::encodeName(file).toStdString());
}

}  // namespace

void CalibrationPanel::LoadButton_Click() {
  const QString file = QFileDialog::getOpenFileName(
      panel_.window(), translated(QT_TRANSLATE_NOOP("palvane", "校正ファイルを開く")), QString(),
      translated(QT_TRANSLATE_NOOP("palvane", "校正ファイル (%1)")).arg(kFileFilter));
  if (!file.isEmpty()) loadFrom(file);
}

void CalibrationPanel::SaveButton_Click() {
  const QString file = QFileDialog::getSaveFileName(
      panel_.window(), translated(QT_TRANSLATE_NOOP("palvane", "校正ファイルの保存")), QString(),
      translated(QT_TRANSLATE_NOOP("palvane", "校正ファイル (%1)")).arg(kFileFilter));
  if (!file.isEmpty()) saveTo(file);
}

bool CalibrationPanel::loadFrom(const QString& file) {
  TubeCalibrationRecord record;
  try {
    record = readCalibrationFile(pathOf(file));
  } catch (const FileError& error) {
    warn(QString::fromUtf8(kCalibrationFileProblemMessage)
             .arg(QString::fromStdString(error.what())));
    return false;
  }
  const int formTarget = state().TargetType;
  if (record.targetType != formTarget) {
    const auto targetName = [this](int targetType) {
      return targetType == 0 ? QString::fromUtf8("molybdenum") : QString::fromUtf8("tungsten");
    };
    warn(QString::fromUtf8(kCalibrationOtherTargetMessage)
             .arg(QDir::toNativeSeparators(file), targetName(record.targetType),
                  targetName(formTarget)));
    return false;
  }

  for (std::size_t n = 0; n < rows_.size(); ++n) {
    const bool filled = n < record.pairs.size();
    rows_[n].tubeVoltage->setText(filled ? shortestText(record.pairs[n].tubeVoltage) : QString());
    rows_[n].hvl->setText(filled ? shortestText(record.pairs[n].hvl) : QString());
  }
  clearModelColumns();
  OutputKermaText_->setText(record.output ? shortestText(record.output->kermaPerLoad) : QString());
  OutputDistanceText_->setText(record.output ? shortestText(record.output->distance) : QString());
  setOutput(record.output);
  if (record.aluminium) {
    showAluminium(*record.aluminium);
  } else {
    fittedAluminium_.reset();
    FitResultLabel_->clear();
  }
  return true;
}

bool CalibrationPanel::saveTo(const QString& file) {
  const std::optional<Pairs> read = readPairs();
  if (!read) return false;
  const auto output = readOutput();
  if (!output) return false;
  TubeCalibrationRecord record;
  record.targetType = state().TargetType;
  record.pairs = read->pairs;
  record.output = *output;
  // The fitted thickness, unrounded, while the aluminium box still holds it.
  if (fittedAluminium_ && aluminiumBox_.text() == aluminiumBoxText(*fittedAluminium_)) {
    record.aluminium = fittedAluminium_;
  }
  try {
    writeCalibrationFile(pathOf(file), record);
  } catch (const FileError& error) {
    warn(QString::fromUtf8(kCalibrationFileProblemMessage)
             .arg(QString::fromStdString(error.what())));
    return false;
  }
  return true;
}

}  // namespace palvane
