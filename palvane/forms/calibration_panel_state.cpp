// The calibration panel's state: which profile serves the form's settings, the fit that is
// applied when the added filter changes, and the line that says so.

#include <QLabel>
#include <QLineEdit>

#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/translated_text.h"
#include "palvane/physics/beam_quality.h"
#include "palvane/physics/tube_calibration.h"
#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/shared_state.h"

namespace palvane {

namespace {

// The relative difference in percent with its sign and one decimal.
QString percentText(double relative) {
  return (relative >= 0 ? QStringLiteral("+") : QString()) +
         QString::number(100.0 * relative, 'f', 1);
}

}  // namespace

CalibrationStatus CalibrationPanel::status() const {
  const ParameterTexts& texts = parameterTexts();
  if (settingTextProblem(texts)) {
    CalibrationStatus unknown;
    if (profile_) {
      unknown.state = CalibrationState::kNotForTheseSettings;
      unknown.why = "a setting is not a number";
      unknown.unserved = Unserved::kSettingNotANumber;
    }
    return unknown;
  }
  return calibrationStatus(profile_, tubeSetupOf(state().TargetType, texts));
}

calibration::TubeProfile& CalibrationPanel::profileForForm() {
  const Target target = targetOfFlag(state().TargetType);
  if (!profile_ || profile_->target != target) {
    profile_.emplace();
    profile_->target = target;
  }
  profile_->name = ProfileNameText_->text().trimmed().toStdString();
  return *profile_;
}

void CalibrationPanel::settingsChanged() {
  if (applying_) return;
  const ParameterTexts& texts = parameterTexts();
  if (!settingTextProblem(texts)) {
    const TubeSetup setup = tubeSetupOf(state().TargetType, texts);
    const std::string filter = calibration::filterKey(calibration::filtersOf(setup));
    if (filter != shownFilter_) {
      shownFilter_ = filter;
      const calibration::FilterCalibration* fit = profile_ && profile_->target == setup.target
                                                      ? profile_->filterCalibration(filter)
                                                      : nullptr;
      if (fit != nullptr && !fit->madeFor(setup)) fit = nullptr;
      showFilterCalibration(fit);
    }
  }
  showState();
}

void CalibrationPanel::showFilterCalibration(const calibration::FilterCalibration* fit) {
  for (std::size_t n = 0; n < rows_.size(); ++n) {
    const bool filled = fit != nullptr && n < fit->pairs.size();
    const calibration::PairFit* pair = filled ? &fit->pairs[n] : nullptr;
    rows_[n].tubeVoltage->setText(pair ? shortestText(pair->measured.tubeVoltage) : QString());
    rows_[n].hvl->setText(pair ? shortestText(pair->measured.hvl) : QString());
    const bool modelled = pair && pair->modelHvl > 0.0;
    rows_[n].modelHvl->setText(modelled ? formatted(pair->modelHvl, kHvlPattern) : QString());
    rows_[n].difference->setText(modelled ? percentText(pair->relativeDifference()) : QString());
  }
  FitResultLabel_->setStyleSheet(QString());
  if (fit != nullptr && fit->aluminium) {
    showAluminium(*fit->aluminium);
  } else {
    fittedAluminium_.reset();
    FitResultLabel_->clear();
  }
}

QString CalibrationPanel::reasonText(const std::optional<calibration::TubeProfile>& profile,
                                     const CalibrationStatus& status) {
  const auto value = [&status](std::size_t n) {
    return n < status.values.size() ? QString::fromStdString(status.values[n]) : QString();
  };
  switch (status.unserved) {
    case Unserved::kOtherTarget:
      return translated(kOtherTargetReason)
          .arg(translated(profile && profile->target == Target::kTungsten ? kTungstenTargetName
                                                                          : kMolybdenumTargetName));
    case Unserved::kNoFit:
      return translated(kNoFitReason).arg(value(0));
    case Unserved::kOtherAluminium:
      return translated(kOtherAluminiumReason).arg(value(0), value(1));
    case Unserved::kSettingNotANumber:
      return translated(kSettingNotANumberReason);
    case Unserved::kOtherSettings:
      break;
    case Unserved::kServed:
      return QString::fromStdString(status.why);
  }
  QStringList settings;
  for (const auto& [setting, fitValue] : status.differing) {
    const QString shown = QString::fromStdString(fitValue);
    switch (setting) {
      case FitSetting::kTargetAngle:
        settings << QString::fromUtf8("θ (%1°)").arg(shown);
        break;
      case FitSetting::kTiltAngle:
        settings << QString::fromUtf8("φ (%1°)").arg(shown);
        break;
      case FitSetting::kBeryllium:
        settings << translated(kDifferingBerylliumReason).arg(shown);
        break;
      case FitSetting::kFilterThickness:
        settings << translated(kDifferingFilterReason).arg(shown);
        break;
    }
  }
  return translated(settings.size() == 1 ? kOneSettingDiffersReason : kSettingsDifferReason)
      .arg(settings.join(translated(kReasonSeparator)));
}

QString CalibrationPanel::stateText(const std::optional<calibration::TubeProfile>& profile,
                                    const CalibrationStatus& status) {
  const QString name = profile && !profile->name.empty()
                           ? QString::fromStdString(profile->name)
                           : translated(QT_TRANSLATE_NOOP("palvane", "(名前なし)"));
  switch (status.state) {
    case CalibrationState::kUncalibrated:
      break;
    case CalibrationState::kCalibrated:
      return translated(QT_TRANSLATE_NOOP("palvane", "校正済み: %1、%2 用"))
          .arg(name, QString::fromStdString(
                         calibration::setupName(profile->target, status.fit->filters)));
    case CalibrationState::kNotForTheseSettings:
      return translated(QT_TRANSLATE_NOOP("palvane", "この設定では未校正: %1 (%2)"))
          .arg(name, reasonText(profile, status));
  }
  return translated(QT_TRANSLATE_NOOP(
      "palvane", "未校正のモデル: HVL は実測より低めになりがちで、空気カーマはモデルの単位です"));
}

QString CalibrationPanel::stateStyle(CalibrationState state) {
  switch (state) {
    case CalibrationState::kUncalibrated:
      break;
    case CalibrationState::kCalibrated:
      return QStringLiteral("color: #006000;");
    case CalibrationState::kNotForTheseSettings:
      return QStringLiteral("color: #b00000;");
  }
  return QStringLiteral("color: #404040;");
}

void CalibrationPanel::showState() {
  const CalibrationStatus now = status();
  StateLabel_->setText(stateText(now));
  StateLabel_->setStyleSheet(stateStyle(now.state));
  emit calibrationChanged();
}

}  // namespace palvane
