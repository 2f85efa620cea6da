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
// The columns of the pair rows: tube voltage, measured HVL, model HVL, difference.
constexpr int kColumnLefts[] = {kLeft, 960, 2040, 3120};
constexpr int kColumnWidths[] = {720, 960, 960, 960};
constexpr int kFirstRowTop = 1080;
constexpr int kRowPitch = 420;
// The output entries: caption, box and unit.
constexpr int kOutputBoxLeft = 1680;
constexpr int kOutputBoxWidth = 960;
constexpr int kOutputUnitLeft = 2760;

QLabel* addCentredLabel(QWidget& panel, const char* source, int column, int top) {
  QLabel* label = addTranslatedLabel(panel, QString(), source, kColumnLefts[column], top,
                                     kColumnWidths[column], kLabelHeight);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

QLineEdit* addResultBox(QWidget& panel, const QString& name, int column, int top) {
  QLineEdit* box =
      addTextBox(panel, name, kColumnLefts[column], top, kColumnWidths[column], kBoxHeight);
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}

}  // namespace

void CalibrationPanel::createControls() {
  addTranslatedLabel(panel_, QString(), QT_TRANSLATE_NOOP("palvane", "管球の校正"), kLeft, 120,
                     3960, kLabelHeight);

  // The measured pairs and, after a fit, the model's HVL and the difference beside each.
  static const char* const names[] = {
      QT_TRANSLATE_NOOP("palvane", "管電圧"), QT_TRANSLATE_NOOP("palvane", "実測 HVL"),
      QT_TRANSLATE_NOOP("palvane", "計算 HVL"), QT_TRANSLATE_NOOP("palvane", "差")};
  static const char* const units[] = {"(kV)", "(mm Al)", "(mm Al)", "(%)"};
  for (int column = 0; column < 4; ++column) {
    addCentredLabel(panel_, names[column], column, 480);
    addCentredLabel(panel_, units[column], column, 750);
  }
  for (int n = 0; n < kRows; ++n) {
    const int top = kFirstRowTop + n * kRowPitch;
    const QString number = QString::number(n + 1);
    Row& row = rows_[n];
    row.tubeVoltage = addTextBox(panel_, QStringLiteral("CalibrationKv") + number, kColumnLefts[0],
                                 top, kColumnWidths[0], kBoxHeight);
    row.hvl = addTextBox(panel_, QStringLiteral("CalibrationHvl") + number, kColumnLefts[1], top,
                         kColumnWidths[1], kBoxHeight);
    row.modelHvl = addResultBox(panel_, QStringLiteral("CalibrationModelHvl") + number, 2, top);
    row.difference = addResultBox(panel_, QStringLiteral("CalibrationDifference") + number, 3, top);
  }
  const int fitTop = kFirstRowTop + kRows * kRowPitch + 120;
  FitButton_ = addTranslatedButton(panel_, QStringLiteral("FitButton"),
                                   QT_TRANSLATE_NOOP("palvane", "アルミ当量を求める"), kLeft,
                                   fitTop, 2280, kButtonHeight);
  FitResultLabel_ = addLabel(panel_, QStringLiteral("FitResultLabel"), QString(), 2520, fitTop + 75,
                             1560, kLabelHeight);

  // The measured output on the beam axis and its distance from the focal spot.
  const int outputTop = fitTop + kButtonHeight + 270;
  addTranslatedLabel(panel_, QString(), QT_TRANSLATE_NOOP("palvane", "出力の実測値 (ビーム軸上)"),
                     kLeft, outputTop, 3960, kLabelHeight);
  const int kermaTop = outputTop + 360;
  addTranslatedLabel(panel_, QString(), QT_TRANSLATE_NOOP("palvane", "空気カーマ"), kLeft,
                     kermaTop + kLabelDrop, 1500, kLabelHeight);
  OutputKermaText_ = addTextBox(panel_, QStringLiteral("OutputKermaText"), kOutputBoxLeft, kermaTop,
                                kOutputBoxWidth, kBoxHeight);
  addTranslatedLabel(panel_, QString(), QT_TRANSLATE_NOOP("palvane", "µGy/mAs"), kOutputUnitLeft,
                     kermaTop + kLabelDrop, 1320, kLabelHeight);
  const int distanceTop = kermaTop + 480;
  addTranslatedLabel(panel_, QString(), QT_TRANSLATE_NOOP("palvane", "焦点からの距離"), kLeft,
                     distanceTop + kLabelDrop, 1500, kLabelHeight);
  OutputDistanceText_ = addTextBox(panel_, QStringLiteral("OutputDistanceText"), kOutputBoxLeft,
                                   distanceTop, kOutputBoxWidth, kBoxHeight);
  addLabel(panel_, QString(), QStringLiteral("cm"), kOutputUnitLeft, distanceTop + kLabelDrop, 1320,
           kLabelHeight);
  const int setTop = distanceTop + 540;
  OutputButton_ = addTranslatedButton(panel_, QStringLiteral("OutputButton"),
                                      QT_TRANSLATE_NOOP("palvane", "出力を設定"), kLeft, setTop,
                                      2280, kButtonHeight);
  ReferenceKermaLabel_ = addLabel(panel_, QStringLiteral("ReferenceKermaLabel"), QString(), kLeft,
                                  setTop + kButtonHeight + 120, 3960, kLabelHeight);

  // The calibration file, level with the form's buttons along the bottom.
  LoadButton_ =
      addTranslatedButton(panel_, QStringLiteral("CalibrationLoadButton"),
                          QT_TRANSLATE_NOOP("palvane", "校正の読込"), kLeft, 6600, 1920, 615);
  SaveButton_ =
      addTranslatedButton(panel_, QStringLiteral("CalibrationSaveButton"),
                          QT_TRANSLATE_NOOP("palvane", "校正の保存"), 2160, 6600, 1920, 615);
}

}  // namespace palvane
