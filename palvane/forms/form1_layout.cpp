// The controls of the display form, at their places in twips.

#include <QByteArray>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "palvane/forms/cross_hair_line.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/point_list.h"
#include "palvane/forms/point_overlays.h"
#include "palvane/forms/translated_text.h"
#include "palvane/forms/twips.h"
#include "palvane/physics/distribution_map.h"
#include "palvane/physics/spectrum_graphs.h"

namespace palvane {

namespace {

constexpr int kLabelHeight = 300;
constexpr int kBoxHeight = 375;
// Labels sit a little lower than the box beside them, on its text line.
constexpr int kLabelDrop = 45;

constexpr double kSettingsFontPoints = 10.0;

// The spectrum graph and the colour bar, in twips, for the static labels beside them.
constexpr int kGraphLeft = 10680;
constexpr int kGraphTop = 120;
constexpr int kGraphWidth = 6855;
constexpr int kGraphHeight = 5175;
constexpr int kBarLeft = 9480;
constexpr int kBarTop = 5520;
constexpr int kBarWidth = 1095;
constexpr int kBarHeight = 4095;
// The column right of the original form, beside the spectrum graph's right-hand labels.
constexpr int kReadoutLeft = 18240;
constexpr int kReadoutWidth = 3120;

PictureBox* addPictureBox(QWidget& form, const char* name, int left, int top, int width,
                          int height) {
  auto* picture = new PictureBox(&form);
  picture->setObjectName(QString::fromLatin1(name));
  placeAt(*picture, left, top, width, height);
  return picture;
}

QLineEdit* addReadout(QWidget& form, const char* name, int left, int top, int width) {
  QLineEdit* box = addTextBox(form, QString::fromLatin1(name), left, top, width, kBoxHeight);
  box->setReadOnly(true);
  return box;
}

QLabel* addRightLabel(QWidget& form, const char* name, const char* text, int left, int top,
                      int width) {
  QLabel* label = addLabel(form, QString::fromLatin1(name), QString::fromUtf8(text), left,
                           top + kLabelDrop, width, kLabelHeight);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

// A static label centred on the twips ordinate y.
void addScaleLabel(QWidget& form, const char* text, int left, int width, double y,
                   Qt::Alignment alignment) {
  constexpr int kHeight = 240;
  QLabel* label = addLabel(form, QString(), QString::fromLatin1(text), left,
                           static_cast<int>(y) - kHeight / 2, width, kHeight);
  label->setAlignment(alignment | Qt::AlignVCenter);
}

// "0", "0.5" and "1.0" of the beam-axis peak on both sides of the spectrum graph.
void addSpectrumScaleLabels(QWidget& form) {
  const struct {
    const char* text;
    double percent;
  } marks[] = {{"0", 0.0}, {"0.5", 50.0}, {"1.0", 100.0}};
  for (const auto& mark : marks) {
    const double y = kGraphTop + (kAxisSpectrumGraphTop - mark.percent) /
                                     -kAxisSpectrumGraphHeight * kGraphHeight;
    addScaleLabel(form, mark.text, kGraphLeft - 480, 420, y, Qt::AlignRight);
    addScaleLabel(form, mark.text, kGraphLeft + kGraphWidth + 60, 420, y, Qt::AlignLeft);
  }
}

// "70" to "120" beside the colour bar, at its labelled ticks.
void addColourBarLabels(QWidget& form) {
  constexpr double kScaleTop = 262;
  constexpr double kScaleHeight = 269;
  for (int tick = 0; tick < kColourBarTicks; ++tick) {
    const double y = kBarTop + (kScaleTop - colourBarTickHeight(tick)) / kScaleHeight * kBarHeight;
    const QByteArray text = QByteArray::number(colourBarTickPercent(tick));
    addScaleLabel(form, text.constData(), kBarLeft + kBarWidth + 45, 480, y, Qt::AlignLeft);
  }
}

}  // namespace

void Form1::createControls() {
  // The settings of the run.
  addTranslatedLabel(*this, QStringLiteral("Label6"), QT_TRANSLATE_NOOP("palvane", "照射条件"), 360,
                     360, 3255, kLabelHeight);
  Picture10_ = addPictureBox(*this, "Picture10", 360, 720, 3255, 3615);
  Picture10_->setScale(0, 0, kSettingsPanelWidth, kSettingsPanelHeight);
  QFont settingsFont = Picture10_->font();
  settingsFont.setPointSizeF(kSettingsFontPoints);
  Picture10_->setFont(settingsFont);

  // The quantity shown and the buttons.
  Frame1_ = new QGroupBox(this);
  showTranslatedText(*Frame1_, QT_TRANSLATE_NOOP("palvane", " 分布表示項目を選択"));
  Frame1_->setObjectName(QStringLiteral("Frame1"));
  placeAt(*Frame1_, 360, 4560, 3255, 1815);
  Option1_ = new QRadioButton(Frame1_);
  showTranslatedText(*Option1_, QT_TRANSLATE_NOOP("palvane", "エネルギーフルエンス"));
  Option1_->setObjectName(QStringLiteral("Option1"));
  placeAt(*Option1_, 240, 420, 2880, kBoxHeight);
  Option2_ = new QRadioButton(Frame1_);
  showTranslatedText(*Option2_, QT_TRANSLATE_NOOP("palvane", "空気カーマ"));
  Option2_->setObjectName(QStringLiteral("Option2"));
  placeAt(*Option2_, 240, 870, 2880, kBoxHeight);
  Option3_ = new QRadioButton(Frame1_);
  showTranslatedText(*Option3_, QT_TRANSLATE_NOOP("palvane", "アルミ半価層"));
  Option3_->setObjectName(QStringLiteral("Option3"));
  placeAt(*Option3_, 240, 1320, 2880, kBoxHeight);
  Option1_->setChecked(true);
  Command1_ = addTranslatedButton(*this, QStringLiteral("Command1"),
                                  QT_TRANSLATE_NOOP("palvane", "描 画"), 360, 6600, 3255, 615);
  Command4_ = addTranslatedButton(*this, QStringLiteral("Command4"),
                                  QT_TRANSLATE_NOOP("palvane", "備 考"), 360, 9960, 1695, 495);
  Command2_ = addByeByeButton(*this, QStringLiteral("Command2"), kByeByeToSpectrumForm, 3120, 9960,
                              495, 495);

  // The map with its read-outs under the mouse.
  addLabel(*this, QStringLiteral("Label5"),
           QStringLiteral("Mouse move  and click on the distribution"), 4320, 240, 4695,
           kLabelHeight);
  addRightLabel(*this, "Label1", "X =", 4320, 720, 1800);
  Text1_ = addReadout(*this, "Text1", 6240, 720, 1095);
  addLabel(*this, QString(), QStringLiteral("mm"), 7440, 720 + kLabelDrop, 600, kLabelHeight);
  addRightLabel(*this, "Label2", "Y =", 4320, 1200, 1800);
  Text2_ = addReadout(*this, "Text2", 6240, 1200, 1095);
  addLabel(*this, QString(), QStringLiteral("mm"), 7440, 1200 + kLabelDrop, 600, kLabelHeight);
  Label3_ = addRightLabel(*this, "Label3", "?  =", 4320, 1680, 1800);
  Text3_ = addReadout(*this, "Text3", 6240, 1680, 1095);
  Label27_ = addLabel(*this, QStringLiteral("Label27"), QString(), 7440, 1680 + kLabelDrop, 600,
                      kLabelHeight);
  // Below them, with an output calibration only, the absolute air kerma there.
  AbsoluteKermaRow_ = new QWidget(this);
  AbsoluteKermaRow_->setObjectName(QStringLiteral("AbsoluteKermaRow"));
  placeAt(*AbsoluteKermaRow_, 4320, 2160, 4320, kBoxHeight);
  addRightLabel(*AbsoluteKermaRow_, "AbsoluteKermaCaption", "", 0, 0, 1800)
      ->setText(QStringLiteral("Air kerma ="));
  AbsoluteKermaText_ = addReadout(*AbsoluteKermaRow_, "AbsoluteKermaText", 1920, 0, 1095);
  addLabel(*AbsoluteKermaRow_, QString(), QString::fromUtf8("µGy/mAs"), 3120, kLabelDrop, 1200,
           kLabelHeight);
  AbsoluteKermaRow_->hide();
  // Below the map, with a tube profile only, whether the shown run is calibrated.
  CalibrationStateLabel_ =
      addLabel(*this, QStringLiteral("CalibrationStateLabel"), QString(), 4320, 9240, 5040, 900);
  CalibrationStateLabel_->setWordWrap(true);
  CalibrationStateLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  CalibrationStateLabel_->hide();
  Picture2_ = addPictureBox(*this, "Picture2", 4320, 2880, 4695, 6135);
  Picture2_->setScale(-2, 203, 309, -405);
  Line17_ = new CrossHairLine(Picture2_, CrossHairLine::Direction::Horizontal);
  Line17_->setObjectName(QStringLiteral("Line17"));
  Line18_ = new CrossHairLine(Picture2_, CrossHairLine::Direction::Vertical);
  Line18_->setObjectName(QStringLiteral("Line18"));

  // The colour scale of the map.
  Picture7_ = addPictureBox(*this, "Picture7", kBarLeft, kBarTop, kBarWidth, kBarHeight);
  Picture7_->setScale(0, 262, 10, -269);
  addColourBarLabels(*this);

  // The spectra, with the clicked point.
  addLabel(*this, QString(), QStringLiteral("Point (mm)"), 9120, 1080, 1080, kLabelHeight);
  addRightLabel(*this, "Label22", "X =", 9120, 1530, 420);
  // The point boxes take a typed point too (Enter draws its spectrum).
  Text4_ = addTextBox(*this, QStringLiteral("Text4"), 9540, 1530, 660, kBoxHeight);
  addRightLabel(*this, "Label23", "Y =", 9120, 2010, 420);
  Text5_ = addTextBox(*this, QStringLiteral("Text5"), 9540, 2010, 660, kBoxHeight);
  Command3_ =
      addButton(*this, QStringLiteral("Command3"), QStringLiteral("Clear"), 9120, 2640, 1080, 495);
  Picture3_ = addPictureBox(*this, "Picture3", kGraphLeft, kGraphTop, kGraphWidth, kGraphHeight);
  Picture3_->setScale(kAxisSpectrumGraphLeft, kAxisSpectrumGraphTop, kAxisSpectrumGraphWidth,
                      kAxisSpectrumGraphHeight);
  addSpectrumScaleLabels(*this);

  // Right of the original form: the beam quality at the clicked point, and the export of
  // what the form shows.
  BeamQualityLabel_ = addBeamQualityReadout(*this, QStringLiteral("Beam quality at the point"),
                                            kReadoutLeft, kGraphTop, kReadoutWidth, 6);
  SaveButton_ =
      addTranslatedButton(*this, QStringLiteral("SaveButton"), QT_TRANSLATE_NOOP("palvane", "保存"),
                          kReadoutLeft, 2640, 1695, 495);

  // Added beside them: the folder of the last save, the quantitative view of the map, the
  // numbered points over the map and the spectra, and their list.
  NoteLabel_ = addLabel(*this, QStringLiteral("NoteLabel"), QString(), kReadoutLeft, 3240,
                        kReadoutWidth, 900);
  NoteLabel_->setWordWrap(true);
  NoteLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  MapViewButton_ = addTranslatedButton(*this, QStringLiteral("MapViewButton"),
                                       QT_TRANSLATE_NOOP("palvane", "数値で見る"), kReadoutLeft,
                                       4260, 1695, 495);
  PointMarkers_ = new PointMarkers(*Picture2_);
  PointLegend_ = new PointLegend(*Picture3_);
  addTranslatedLabel(*this, QStringLiteral("PointListCaption"),
                     QT_TRANSLATE_NOOP("palvane", "点の線質"), 16800, 5400, 4560, kLabelHeight);
  PointList_ = new PointList(this);
  placeAt(*PointList_, 16800, 5760, 4560, 4815);

  // The profile along the X axis.
  Label4_ = addLabel(*this, QStringLiteral("Label4"), QStringLiteral("Profile"), 11880, 5400, 4695,
                     kLabelHeight);
  Picture1_ = addPictureBox(*this, "Picture1", 11880, 5760, 4695, 4815);
  Picture1_->setScale(-2, 132, 309, -134);
  Line19_ = new CrossHairLine(Picture1_, CrossHairLine::Direction::Vertical);
  Line19_->setObjectName(QStringLiteral("Line19"));
}

}  // namespace palvane
