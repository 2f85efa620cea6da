#include "palvane/forms/calibration_panel.h"

#include <cmath>
#include <string>

#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "palvane/forms/form2.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/message_box.h"
#include "palvane/forms/translated_text.h"
#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/beam_quality.h"
#include "palvane/physics/point_model.h"
#include "palvane/physics/tube_calibration.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/shared_state.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

// The fitted thickness, found to 0.001 mm.
constexpr char kThicknessPattern[] = "0.000";
// A fit whose largest relative difference is beyond this is flagged.
constexpr double kFlaggedResidual = 0.03;

// A relative difference in percent with its sign and one decimal: "+0.3", "-1.2", "0.0".
QString signedPercent(double relative) {
  const double percent = std::round(1000.0 * relative) / 10.0;
  if (percent == 0.0) return QStringLiteral("0.0");
  return (percent > 0 ? QStringLiteral("+") : QString()) + QString::number(percent, 'f', 1);
}

}  // namespace

QString aluminiumBoxText(double aluminium) {
  const std::string pattern(setupField(&TubeSetup::aluminium).boxPattern);
  return formatted(aluminium, pattern.c_str());
}

std::string todayText() { return QDate::currentDate().toString(Qt::ISODate).toStdString(); }

CalibrationPanel::CalibrationPanel(QLineEdit& aluminiumBox, QLineEdit& targetAngleBox,
                                   QFrame& panel)
    : QObject(&panel), aluminiumBox_(aluminiumBox), targetAngleBox_(targetAngleBox), panel_(panel) {
  createControls();
  // The reference kerma line is composed at run time: composed again in a new language.
  onLanguageChange(panel_, [this] {
    showOutput();
    showState();
  });
  connect(FitButton_, &QPushButton::clicked, this, &CalibrationPanel::FitButton_Click);
  connect(OutputButton_, &QPushButton::clicked, this, &CalibrationPanel::OutputButton_Click);
  connect(LoadButton_, &QPushButton::clicked, this, &CalibrationPanel::LoadButton_Click);
  connect(SaveButton_, &QPushButton::clicked, this, &CalibrationPanel::SaveButton_Click);
  connect(HeelButton_, &QPushButton::clicked, this, &CalibrationPanel::HeelButton_Click);
}

void CalibrationPanel::warn(const QString& text) { showWarning(panel_.window(), text); }

std::optional<double> CalibrationPanel::numberEntry(const QLineEdit& box, const QString& name,
                                                    std::initializer_list<std::string_view> units) {
  const QString text = box.text().trimmed();
  if (text.isEmpty()) {
    warn(translated(kCalibrationEmptyEntryMessage).arg(name));
    return std::nullopt;
  }
  const std::string utf8 = text.toStdString();
  if (!IsSettingNumber(utf8, units)) {
    warn(translated(kCalibrationNotANumberMessage).arg(name, text));
    return std::nullopt;
  }
  return SettingNumber(utf8);
}

std::optional<double> CalibrationPanel::positiveEntry(
    const QLineEdit& box, const QString& name, std::initializer_list<std::string_view> units) {
  const std::optional<double> value = numberEntry(box, name, units);
  if (value && !(*value > 0.0)) {
    warn(translated(kCalibrationNotPositiveMessage).arg(name, box.text().trimmed()));
    return std::nullopt;
  }
  return value;
}

std::optional<CalibrationPanel::Pairs> CalibrationPanel::readPairs() {
  Pairs read;
  for (int n = 0; n < kRows; ++n) {
    const Row& row = rows_[n];
    if (row.tubeVoltage->text().trimmed().isEmpty() && row.hvl->text().trimmed().isEmpty()) {
      continue;  // an empty row is no measurement
    }
    const QString voltageName = translated(kRowVoltageName).arg(n + 1);
    const std::optional<double> voltage = numberEntry(*row.tubeVoltage, voltageName, {"kV"});
    if (!voltage) return std::nullopt;
    const std::optional<double> hvl =
        positiveEntry(*row.hvl, translated(kRowHvlName).arg(n + 1), {"mm", "mm Al"});
    if (!hvl) return std::nullopt;
    const calibration::HvlPair pair{*voltage, *hvl};
    if (calibration::pairProblem(pair)) {
      warn(translated(kCalibrationVoltageOutOfRangeMessage)
               .arg(voltageName, shortestText(*voltage)));
      return std::nullopt;
    }
    read.pairs.push_back(pair);
    read.rows.push_back(n);
  }
  return read;
}

std::optional<std::optional<calibration::OutputCalibration>> CalibrationPanel::readOutput() {
  if (OutputKermaText_->text().trimmed().isEmpty() &&
      OutputDistanceText_->text().trimmed().isEmpty()) {
    return std::optional<calibration::OutputCalibration>();  // no output given
  }
  const std::optional<double> kerma =
      positiveEntry(*OutputKermaText_, translated(kOutputKermaName), {"µGy/mAs", "uGy/mAs"});
  if (!kerma) return std::nullopt;
  const std::optional<double> distance =
      positiveEntry(*OutputDistanceText_, translated(kOutputDistanceName), {"cm"});
  if (!distance) return std::nullopt;
  const calibration::OutputCalibration output{*kerma, *distance};
  if (calibration::outputProblem(output) == calibration::OutputProblem::kDistanceOutOfRange) {
    warn(translated(kCalibrationDistanceOutOfRangeMessage)
             .arg(translated(kOutputDistanceName), shortestText(*distance)));
    return std::nullopt;
  }
  if (!calibration::isUsable(output)) {
    warn(translated(kCalibrationOutputTooLargeMessage)
             .arg(shortestText(*kerma), shortestText(*distance)));
    return std::nullopt;
  }
  return output;
}

void CalibrationPanel::FitButton_Click() {
  const std::optional<Pairs> read = readPairs();
  if (!read) return;
  if (read->pairs.empty()) {
    warn(translated(kCalibrationNoPairMessage));
    return;
  }
  const ParameterTexts& texts = parameterTexts();
  if (const std::optional<SettingTextProblem> problem = settingTextProblem(texts)) {
    warn(settingProblemMessage(*problem));
    return;
  }
  const SharedState& shared = state();
  const TubeSetup formSetup = tubeSetupOf(shared.TargetType, texts);
  if (const std::optional<std::string> problem = layersProblem(shared, formSetup)) {
    warn(QString::fromStdString(*problem));
    return;
  }
  try {
    // The fit is for the form's filters, the added row's included.
    const calibration::HvlFit fit =
        FitTubeAluminium(shared, formSetup, read->pairs, modelLayers(shared, formSetup));
    // Kept for the form's filters, the added row's included; a plate is modelled, not a
    // filter of the tube.
    calibration::FilterCalibration made = calibration::FilterCalibration::madeWith(formSetup);
    made.date = todayText();
    made.pairs = fit.pairs;
    made.aluminium = fit.aluminium;
    profileForForm().setFilterCalibration(made);
    shownFilter_ = calibration::filterKey(made.filters);
    showAluminium(fit.aluminium);
    showFit(fit, read->rows);
    showState();
  } catch (const calibration::UnreachableHvl& error) {
    warn(translated(error.belowModel() ? kCalibrationHvlBelowModelMessage
                                       : kCalibrationHvlAboveModelMessage)
             .arg(shortestText(error.pair.hvl), shortestText(error.pair.tubeVoltage),
                  formatted(error.boundHvl, kHvlPattern)));
  } catch (const calibration::FitImpossible& error) {
    warn(translated(kCalibrationFitImpossibleMessage).arg(QString::fromStdString(error.what())));
  }
}

void CalibrationPanel::showAluminium(double aluminium) {
  applying_ = true;
  aluminiumBox_.setText(aluminiumBoxText(aluminium));
  applying_ = false;
  fittedAluminium_ = aluminium;
  FitResultLabel_->setText(
      QString::fromUtf8("t = %1 mm").arg(formatted(aluminium, kThicknessPattern)));
}

void CalibrationPanel::showFit(const calibration::HvlFit& fit, const std::vector<int>& rows) {
  clearModelColumns();
  for (std::size_t n = 0; n < fit.pairs.size(); ++n) {
    const Row& row = rows_[rows[n]];
    row.modelHvl->setText(formatted(fit.pairs[n].modelHvl, kHvlPattern));
    row.difference->setText(signedPercent(fit.pairs[n].relativeDifference()));
  }
  // A fit is accepted whatever its residuals, but one beyond 3 % is flagged beside it.
  const double largest = fit.largestRelativeDifference();
  if (std::fabs(largest) > kFlaggedResidual) {
    FitResultLabel_->setText(
        FitResultLabel_->text() + QStringLiteral("  ") +
        translated(QT_TRANSLATE_NOOP("palvane", "残差 %1 % (3 % 超)")).arg(signedPercent(largest)));
    FitResultLabel_->setStyleSheet(QStringLiteral("color: #b00000;"));
  } else {
    FitResultLabel_->setStyleSheet(QString());
  }
}

void CalibrationPanel::clearModelColumns() {
  for (const Row& row : rows_) {
    row.modelHvl->clear();
    row.difference->clear();
  }
}

void CalibrationPanel::OutputButton_Click() {
  const auto output = readOutput();
  if (!output) return;
  if (!*output) {
    if (profile_) profile_->output.reset();
    showOutput();
    showState();
    return;
  }
  const ParameterTexts& texts = parameterTexts();
  if (const std::optional<SettingTextProblem> problem = settingTextProblem(texts)) {
    warn(settingProblemMessage(*problem));
    return;
  }
  const TubeSetup setup = tubeSetupOf(state().TargetType, texts);
  if (!(setup.tubeVoltage >= kLowestTubeVoltage && setup.tubeVoltage <= kHighestTubeVoltage)) {
    warn(translated(kCalibrationFormVoltageMessage).arg(shortestText(setup.tubeVoltage)));
    return;
  }
  profileForForm().output = calibration::OutputMeasurement{**output, setup, todayText()};
  showOutput();
  showState();
}

std::optional<calibration::OutputMeasurement> CalibrationPanel::outputMeasurement() const {
  if (!profile_) return std::nullopt;
  return profile_->output;
}

void CalibrationPanel::showOutput() {
  const std::optional<calibration::OutputMeasurement> output = outputMeasurement();
  if (!output) {
    ReferenceKermaLabel_->clear();
    return;
  }
  ReferenceKermaLabel_->setText(
      translated(QT_TRANSLATE_NOOP("palvane", "65 cm: %1 µGy/mAs、%2 %3 kV"))
          .arg(formatted(calibration::referenceKerma(output->output), kAbsoluteKermaPattern),
               QString::fromStdString(calibration::setupName(
                   output->setup.target, calibration::filtersOf(output->setup))),
               shortestText(output->setup.tubeVoltage)));
}

}  // namespace palvane
