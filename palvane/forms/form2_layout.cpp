// The controls of the spectrum form, at their places in twips.

#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/drawings.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/language_choice.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/translated_text.h"
#include "palvane/forms/twips.h"
#include "palvane/physics/spectrum_graphs.h"
#include "palvane/physics/tube_settings.h"

namespace palvane {

namespace {

constexpr int kPanelLeft = 11400;
constexpr int kPanelWidth = 5055;
constexpr int kLabelHeight = 300;
constexpr int kBoxHeight = 375;
constexpr int kBoxWidth = 975;
constexpr int kBoxLeft = 14520;
constexpr int kUnitLeft = 15600;
constexpr int kUnitWidth = 780;
constexpr int kNameLeft = 12840;
constexpr int kNameWidth = 1600;
// Labels sit a little lower than the box beside them, on its text line.
constexpr int kLabelDrop = 45;

// The caption of a setting field, shown beside its box.
void addCaption(QWidget& form, SettingField field, int left, int top, int width, int height) {
  addTranslatedLabel(form, QString(), kSettingCaptions[static_cast<int>(field)], left, top, width,
                     height);
}

QLabel* addUnit(QWidget& form, const char* unit, int boxTop) {
  return addLabel(form, QString(), QString::fromUtf8(unit), kUnitLeft, boxTop + kLabelDrop,
                  kUnitWidth, kLabelHeight);
}

}  // namespace

void Form2::createControls() {
  addPanel(*this, QStringLiteral("TubePanel"), QColor(192, 255, 255), kPanelLeft, 240, kPanelWidth,
           3000);
  addPanel(*this, QStringLiteral("FilterPanel"), QColor(255, 255, 192), kPanelLeft, 3360,
           kPanelWidth, 3000);
  addPanel(*this, QStringLiteral("AirPanel"), QColor(192, 255, 192), kPanelLeft, 6480, kPanelWidth,
           1065);

  Picture3_ = new PictureBox(this);
  Picture3_->setObjectName(QStringLiteral("Picture3"));
  placeAt(*Picture3_, 240, 240, 10935, 6375);
  Picture3_->setScale(kSpectrumGraphLeft, kSpectrumGraphTop, kSpectrumGraphWidth,
                      kSpectrumGraphHeight);

  // The tube: target material and angles.
  auto* frame = new QGroupBox(this);
  showTranslatedText(*frame, QT_TRANSLATE_NOOP("palvane", "ターゲット"));
  frame->setObjectName(QStringLiteral("Frame1"));
  placeAt(*frame, 12000, 390, 3855, 975);
  Option1_ = new QRadioButton(frame);
  showTranslatedText(*Option1_, QT_TRANSLATE_NOOP("palvane", "モリブデン"));
  Option1_->setObjectName(QStringLiteral("Option1"));
  placeAt(*Option1_, 360, 420, 1560, kBoxHeight);
  Option2_ = new QRadioButton(frame);
  showTranslatedText(*Option2_, QT_TRANSLATE_NOOP("palvane", "タングステン"));
  Option2_->setObjectName(QStringLiteral("Option2"));
  placeAt(*Option2_, 2040, 420, 1700, kBoxHeight);
  Option1_->setChecked(true);  // the design's choice; Form_Load selects it as well

  addCaption(*this, SettingField::kTargetAngle, 11760, 1560 + kLabelDrop, 2600, kLabelHeight);
  Text5_ = addTextBox(*this, QStringLiteral("Text5"), kBoxLeft, 1560, kBoxWidth, kBoxHeight);
  addUnit(*this, "degree", 1560);
  addCaption(*this, SettingField::kTiltAngle, 11760, 2160 + kLabelDrop, 2600, kLabelHeight);
  Text3_ = addTextBox(*this, QStringLiteral("Text3"), kBoxLeft, 2160, kBoxWidth, kBoxHeight);
  addUnit(*this, "degree", 2160);
  Command2_ = addTranslatedButton(*this, QStringLiteral("Command2"),
                                  QT_TRANSLATE_NOOP("palvane", "角度 θ, φ の関係図"), 12600, 2760,
                                  2775, 465);

  // Inherent and added filtration, tube voltage.
  addTranslatedLabel(*this, QString(), QT_TRANSLATE_NOOP("palvane", "固有ろ過"), 11640,
                     3720 + kLabelDrop, 1150, kLabelHeight);
  addCaption(*this, SettingField::kBeryllium, kNameLeft, 3720 + kLabelDrop, kNameWidth,
             kLabelHeight);
  Text8_ = addTextBox(*this, QStringLiteral("Text8"), kBoxLeft, 3720, kBoxWidth, kBoxHeight);
  addUnit(*this, "mm", 3720);
  addCaption(*this, SettingField::kAluminium, kNameLeft, 4200 + kLabelDrop, kNameWidth,
             kLabelHeight);
  Text2_ = addTextBox(*this, QStringLiteral("Text2"), kBoxLeft, 4200, kBoxWidth, kBoxHeight);
  addUnit(*this, "mm", 4200);

  addTranslatedLabel(*this, QString(), QT_TRANSLATE_NOOP("palvane", "付加"), 11640,
                     4800 + kLabelDrop, 1150, kLabelHeight);
  addTranslatedLabel(*this, QString(), QT_TRANSLATE_NOOP("palvane", "フィルタ"), 11640,
                     5100 + kLabelDrop, 1150, kLabelHeight);
  addCaption(*this, SettingField::kMolybdenum, kNameLeft, 4800 + kLabelDrop, kNameWidth,
             kLabelHeight);
  Combo1_ =
      addComboBox(*this, QStringLiteral("Combo1"), {QStringLiteral("0"), QStringLiteral("0.03")},
                  kBoxLeft, 4800, kBoxWidth, kBoxHeight);
  addUnit(*this, "mm", 4800);
  addCaption(*this, SettingField::kRhodium, kNameLeft, 5280 + kLabelDrop, kNameWidth, kLabelHeight);
  Combo2_ = addComboBox(*this, QStringLiteral("Combo2"),
                        {QStringLiteral("0"), QStringLiteral("0.025"), QStringLiteral("0.05")},
                        kBoxLeft, 5280, kBoxWidth, kBoxHeight);
  addUnit(*this, "mm", 5280);

  addCaption(*this, SettingField::kTubeVoltage, 12600, 5880 + kLabelDrop, kNameWidth, kLabelHeight);
  Text1_ = addTextBox(*this, QStringLiteral("Text1"), 14280, 5880, 1095, kBoxHeight);
  addLabel(*this, QString(), QStringLiteral("kV"), 15480, 5880 + kLabelDrop, kUnitWidth,
           kLabelHeight);

  // The air layer is a constant of the computations, not a setting.
  addTranslatedLabel(*this, QString(), QT_TRANSLATE_NOOP("palvane", "（空気層 = "), 11640, 6600,
                     1300, kLabelHeight);
  addLabel(*this, QString(), QStringLiteral("60 cm"), 12960, 6600, 700, kLabelHeight);
  addTranslatedLabel(*this, QString(), QT_TRANSLATE_NOOP("palvane", "一定とする）"), 13680, 6600,
                     1500, kLabelHeight);
  PlateCaption_ =
      addLabel(*this, QStringLiteral("PlateCaption"), QString(), 11640, 6960, 3700, kLabelHeight);
  addPicture(*this, QStringLiteral("Picture1"), tubePicture, 15360, 6570, 975, 900);

  // The buttons along the bottom.
  Command3_ = addTranslatedButton(*this, QStringLiteral("Command3"),
                                  QT_TRANSLATE_NOOP("palvane", "リセット"), 360, 6840, 1215, 615);
  Command1_ =
      addTranslatedButton(*this, QStringLiteral("Command1"),
                          QT_TRANSLATE_NOOP("palvane", "スペクトル描画"), 2040, 6840, 2535, 615);
  Command7_ = addTranslatedButton(*this, QStringLiteral("Command7"),
                                  QT_TRANSLATE_NOOP("palvane", "照射野内分布の計算"), 4800, 6840,
                                  2535, 615);
  Command5_ =
      addTranslatedButton(*this, QStringLiteral("Command5"),
                          QT_TRANSLATE_NOOP("palvane", "計算結果の表示"), 7560, 6840, 2535, 615);
  Command4_ =
      addByeByeButton(*this, QStringLiteral("Command4"), kByeByeToTitleForm, 10560, 6840, 495, 495);

  // Right of the original form: the beam quality of the drawn spectrum (five lines at most)
  // and its export.
  BeamQualityLabel_ = addBeamQualityReadout(*this, QStringLiteral("Beam quality on the beam axis"),
                                            16800, 240, 3000, 5);
  SaveButton_ = addTranslatedButton(*this, QStringLiteral("SaveButton"),
                                    QT_TRANSLATE_NOOP("palvane", "保存"), 16800, 6840, 1695, 615);
  addLanguageChoice(*this, 16800, 6240, 1695, kBoxHeight);
  // Under the read-out: the added filter and the plate, then the spectra kept for
  // comparison.
  createLayerControls();
  KeepCurveButton_ =
      addTranslatedButton(*this, QStringLiteral("KeepCurveButton"),
                          QT_TRANSLATE_NOOP("palvane", "比較用に残す"), 16800, 3660, 1800, 390);
  ClearKeptButton_ =
      addTranslatedButton(*this, QStringLiteral("ClearKeptButton"),
                          QT_TRANSLATE_NOOP("palvane", "残した曲線を消去"), 16800, 4095, 1800, 390);
  ClearKeptButton_->setEnabled(false);
  KeptCurvesLabel_ =
      addLabel(*this, QStringLiteral("KeptCurvesLabel"), QString(), 16800, 4530, 3000, 900);
  KeptCurvesLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  KeptCurvesLabel_->setTextFormat(Qt::RichText);

  // Over the graph's foot, hidden until the settings change after a drawing.
  StaleMark_ = addLabel(*Picture3_, QStringLiteral("StaleMark"), QString(), 1750, 5950, 5700, 330);
  StaleMark_->setStyleSheet(
      QStringLiteral("QLabel { background: rgb(255, 240, 160); color: rgb(160, 0, 0); }"));
  StaleMark_->hide();

  // Under the kept curves: the engine run.
  RunStatusLabel_ =
      addLabel(*this, QStringLiteral("RunStatusLabel"), QString(), 16800, 5460, 3000, 720);

  // Below the original form, the calibration to a measured tube, and at the foot of its
  // state column the note on the last action.
  QFrame* calibrationStrip = addPanel(*this, QStringLiteral("CalibrationPanel"),
                                      QColor(255, 224, 192), 240, 7620, 19560, 2220);
  CalibrationPanel_ = new CalibrationPanel(*Text2_, *Text5_, *calibrationStrip);
  NoteLabel_ =
      addLabel(*calibrationStrip, QStringLiteral("NoteLabel"), QString(), 14160, 1560, 5160, 600);
  for (QLabel* status : {RunStatusLabel_, NoteLabel_}) {
    status->setWordWrap(true);
    status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
}

}  // namespace palvane
