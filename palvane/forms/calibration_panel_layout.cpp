// The controls of the calibration panel, at their places in twips inside the panel.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/twips.h"

namespace palvane {

namespace {

constexpr int kLeft = 120;
constexpr int kLabelHeight = 300;
constexpr int kBoxHeight = 375;
constexpr int kLabelDrop = 45;
constexpr int kButtonHeight = 450;
// The pairs as columns: one column of boxes per pair, beside the captions of the rows
// (tube voltage, measured HVL, model HVL, difference) with their units.
constexpr int kCaptionWidth = 1440;
constexpr int kUnitLeft = kLeft + kCaptionWidth;
constexpr int kUnitWidth = 840;
constexpr int kFirstPairLeft = kUnitLeft + kUnitWidth + 60;
constexpr int kPairWidth = 840;
constexpr int kPairPitch = 900;
constexpr int kFirstRowTop = 420;
constexpr int kRowPitch = 420;
// Right of the pairs: the fit button and its result.
constexpr int kFitLeft = kFirstPairLeft + 3 * kPairPitch + 240;
// Then the output entries: caption, box and unit.
constexpr int kOutputLeft = kFitLeft + 2760;
constexpr int kOutputBoxLeft = kOutputLeft + 1560;
constexpr int kOutputBoxWidth = 960;
constexpr int kOutputUnitLeft = kOutputBoxLeft + kOutputBoxWidth + 60;
// Then the calibration file.
constexpr int kFileLeft = kOutputUnitLeft + 1260;
// Last, the profile's name and the state of the form's settings.
constexpr int kStateLeft = kFileLeft + 1920 + 240;
constexpr int kStateWidth = 5160;

QLineEdit* addResultBox(QWidget& panel, const QString& name, int left, int top) {
  QLineEdit* box = addTextBox(panel, name, left, top, kPairWidth, kBoxHeight);
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}

}  // namespace

void CalibrationPanel::createControls() {
  addTranslatedLabel(panel_, QString(), QT_TRANSLATE_NOOP("palvane", "管球の校正"), kLeft, 60,
                     kFitLeft - kLeft, kLabelHeight);

  // The measured pairs and, after a fit, the model's HVL and the difference under each.
  static const char* const names[] = {
      QT_TRANSLATE_NOOP("palvane", "管電圧"), QT_TRANSLATE_NOOP("palvane", "実測 HVL"),
      QT_TRANSLATE_NOOP("palvane", "計算 HVL"), QT_TRANSLATE_NOOP("palvane", "差")};
  static const char* const units[] = {"(kV)", "(mm Al)", "(mm Al)", "(%)"};
  for (int line = 0; line < 4; ++line) {
    const int top = kFirstRowTop + line * kRowPitch + kLabelDrop;
    addTranslatedLabel(panel_, QString(), names[line], kLeft, top, kCaptionWidth, kLabelHeight);
    addLabel(panel_, QString(), QString::fromLatin1(units[line]), kUnitLeft, top, kUnitWidth,
             kLabelHeight);
  }
  for (int n = 0; n < kRows; ++n) {
    const int left = kFirstPairLeft + n * kPairPitch;
    const QString number = QString::number(n + 1);
    Row& row = rows_[n];
    row.tubeVoltage = addTextBox(panel_, QStringLiteral("CalibrationKv") + number, left,
                                 kFirstRowTop, kPairWidth, kBoxHeight);
    row.hvl = addTextBox(panel_, QStringLiteral("CalibrationHvl") + number, left,
                         kFirstRowTop + kRowPitch, kPairWidth, kBoxHeight);
    row.modelHvl = addResultBox(panel_, QStringLiteral("CalibrationModelHvl") + number, left,
                                kFirstRowTop + 2 * kRowPitch);
    row.difference = addResultBox(panel_, QStringLiteral("CalibrationDifference") + number, left,
                                  kFirstRowTop + 3 * kRowPitch);
  }
  FitButton_ = addTranslatedButton(panel_, QStringLiteral("FitButton"),
                                   QT_TRANSLATE_NOOP("palvane", "アルミ当量を求める"), kFitLeft,
                                   kFirstRowTop, 2400, kButtonHeight);
  FitResultLabel_ = addLabel(panel_, QStringLiteral("FitResultLabel"), QString(), kFitLeft,
                             kFirstRowTop + kButtonHeight + 120, 2400, kLabelHeight);

  // The measured output on the beam axis and its distance from the focal spot.
  addTranslatedLabel(panel_, QString(), QT_TRANSLATE_NOOP("palvane", "出力の実測値 (ビーム軸上)"),
                     kOutputLeft, 60, 3960, kLabelHeight);
  const int kermaTop = kFirstRowTop;
  addTranslatedLabel(panel_, QString(), QT_TRANSLATE_NOOP("palvane", "空気カーマ"), kOutputLeft,
                     kermaTop + kLabelDrop, 1500, kLabelHeight);
  OutputKermaText_ = addTextBox(panel_, QStringLiteral("OutputKermaText"), kOutputBoxLeft, kermaTop,
                                kOutputBoxWidth, kBoxHeight);
  addLabel(panel_, QString(), QString::fromUtf8("µGy/mAs"), kOutputUnitLeft, kermaTop + kLabelDrop,
           1200, kLabelHeight);
  const int distanceTop = kermaTop + kRowPitch;
  addTranslatedLabel(panel_, QString(), QT_TRANSLATE_NOOP("palvane", "焦点からの距離"), kOutputLeft,
                     distanceTop + kLabelDrop, 1500, kLabelHeight);
  OutputDistanceText_ = addTextBox(panel_, QStringLiteral("OutputDistanceText"), kOutputBoxLeft,
                                   distanceTop, kOutputBoxWidth, kBoxHeight);
  addLabel(panel_, QString(), QStringLiteral("cm"), kOutputUnitLeft, distanceTop + kLabelDrop, 1200,
           kLabelHeight);
  const int setTop = distanceTop + kRowPitch + 60;
  OutputButton_ = addTranslatedButton(panel_, QStringLiteral("OutputButton"),
                                      QT_TRANSLATE_NOOP("palvane", "出力を設定"), kOutputLeft,
                                      setTop, 2280, kButtonHeight);
  ReferenceKermaLabel_ = addLabel(panel_, QStringLiteral("ReferenceKermaLabel"), QString(),
                                  kOutputLeft, setTop + kButtonHeight + 60, 3960, kLabelHeight);

  // The calibration file.
  LoadButton_ = addTranslatedButton(panel_, QStringLiteral("CalibrationLoadButton"),
                                    QT_TRANSLATE_NOOP("palvane", "校正の読込"), kFileLeft,
                                    kFirstRowTop, 1920, 615);
  SaveButton_ = addTranslatedButton(panel_, QStringLiteral("CalibrationSaveButton"),
                                    QT_TRANSLATE_NOOP("palvane", "校正の保存"), kFileLeft,
                                    kFirstRowTop + 615 + 120, 1920, 615);

  // The profile: its name, and whether the form's settings are calibrated.
  addTranslatedLabel(panel_, QString(), QT_TRANSLATE_NOOP("palvane", "プロファイル名"), kStateLeft,
                     kFirstRowTop + kLabelDrop, 1560, kLabelHeight);
  constexpr int kHeelWidth = 1680;
  ProfileNameText_ = addTextBox(panel_, QStringLiteral("ProfileNameText"), kStateLeft + 1620,
                                kFirstRowTop, kStateWidth - 1620 - kHeelWidth - 60, kBoxHeight);
  HeelButton_ = addTranslatedButton(
      panel_, QStringLiteral("HeelButton"), QT_TRANSLATE_NOOP("palvane", "ヒール…"),
      kStateLeft + kStateWidth - kHeelWidth, kFirstRowTop - 30, kHeelWidth, 435);
  // Two lines; the spectrum form's note on its last action takes the two below.
  StateLabel_ = addLabel(panel_, QStringLiteral("CalibrationStateLabel"), QString(), kStateLeft,
                         kFirstRowTop + kRowPitch + 60, kStateWidth, 2 * kLabelHeight);
  StateLabel_->setWordWrap(true);
  StateLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace palvane
