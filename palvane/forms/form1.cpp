#include "palvane/forms/form1.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/cross_hair_line.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form5.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/screen_fit.h"
#include "palvane/forms/translated_text.h"
#include "palvane/forms/twips.h"
#include "palvane/physics/distribution_map.h"
#include "palvane/physics/spectrum_graphs.h"
#include "palvane/state/shared_state.h"

namespace palvane {

namespace {

void bringForward(QWidget& form) {
  form.show();
  form.raise();
  form.activateWindow();
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromLatin1(kForm1Caption));
  // The original 18120 twips and a column for the beam quality and the save button.
  setClientSize(*this, 21600, 10800);
  createControls();
  fitToScreen(*this);
  connectHandlers();
  // The calibration line is composed at run time: composed again in a new language.
  onLanguageChange(*this, [this] { showCalibrationState(); });
  state().ports.displayFormGraph = Picture3_;
  Form_Load();
}

Form1::~Form1() {
  FormPorts& ports = state().ports;
  if (ports.displayFormGraph == Picture3_) ports.displayFormGraph = nullptr;
}

void Form1::connectHandlers() {
  connect(Option1_, &QRadioButton::clicked, this, &Form1::Option1_Click);
  connect(Option2_, &QRadioButton::clicked, this, &Form1::Option2_Click);
  connect(Option3_, &QRadioButton::clicked, this, &Form1::Option3_Click);
  connect(Command1_, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(Command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
  connect(Command3_, &QPushButton::clicked, this, &Form1::Command3_Click);
  connect(Command4_, &QPushButton::clicked, this, &Form1::Command4_Click);
  connect(SaveButton_, &QPushButton::clicked, this, &Form1::SaveButton_Click);
  connect(MapViewButton_, &QPushButton::clicked, this, &Form1::MapViewButton_Click);
  onLanguageChange(*this, [this] { showNote(); });
  connect(Picture2_, &PictureBox::mouseMoved, this, &Form1::Picture2_MouseMove);
  connect(Picture1_, &PictureBox::mouseMoved, this, &Form1::Picture1_MouseMove);
  connect(Picture2_, &PictureBox::mousePressed, this, &Form1::Picture2_MouseDown);
  connect(Text4_, &QLineEdit::returnPressed, this, &Form1::PointText_Enter);
  connect(Text5_, &QLineEdit::returnPressed, this, &Form1::PointText_Enter);
}

void Form1::Form_Load() {
  drawColourBar(*Picture7_);
  setCrossHairsVisible(false);
  mapDrawn_ = false;
}

// Choosing a quantity only prepares the Draw button.
void Form1::Option1_Click() { Command1_->setFocus(); }
void Form1::Option2_Click() { Command1_->setFocus(); }
void Form1::Option3_Click() { Command1_->setFocus(); }

void Form1::Command1_Click() {
  SharedState& shared = state();
  const FieldMap* chosen = nullptr;
  if (Option1_->isChecked()) {
    shownQuantity_ = MapQuantity::kEnergyFluence;
    Label3_->setText(QStringLiteral("Energy Fluence ="));
    Label27_->setText(QStringLiteral("%"));
    Label4_->setText(QStringLiteral("Profile of Relative Energy Fluence on X-axis"));
    chosen = &shared.FluenceMap;
  } else if (Option2_->isChecked()) {
    shownQuantity_ = MapQuantity::kAirKerma;
    Label3_->setText(QStringLiteral("Air Kerma ="));
    Label27_->setText(QStringLiteral("%"));
    Label4_->setText(QStringLiteral("Profile of Relative Air Kerma on X-axis"));
    chosen = &shared.KermaMap;
  } else {
    shownQuantity_ = MapQuantity::kHvl;
    Label3_->setText(QStringLiteral("HVL Al ="));
    Label27_->setText(QStringLiteral("mm"));
    Label4_->setText(QStringLiteral("Profile of Relative Al HVL on X-axis"));
    if (Option3_->isChecked()) chosen = &shared.HvlMap;
  }
  Picture1_->clear();
  Picture2_->clear();
  // With no quantity selected the map shown before stays in DisplayMap.
  if (chosen != nullptr) shared.DisplayMap = *chosen;
  drawMap(*Picture2_, shared.DisplayMap);
  drawProfile(*Picture1_, shared.DisplayMap);
  mapDrawn_ = true;
  mapShown_ = true;
}

void Form1::Command2_Click() {
  bringForward(*form2());
  hide();
}

void Form1::Command3_Click() {
  Picture3_->clear();
  AxisSpectrumPlot(*Picture3_);
  Text4_->clear();
  Text5_->clear();
  BeamQualityLabel_->clear();
  pointSpectra_.clear();
  showPoints();
}

void Form1::Command4_Click() { bringForward(*form5()); }

void Form1::showResults(const Study& study) {
  QStringList lines;
  for (const std::string& line : palvane::runSettingsLines(study))
    lines.append(QString::fromStdString(line));
  Picture10_->clear();
  // One line of text below the other, in the panel's twips (as many to a pixel as the
  // panel's user scale gives, also when the form is shown shrunk).
  const double lineHeight =
      QFontMetrics(Picture10_->font()).lineSpacing() * kSettingsPanelHeight / Picture10_->height();
  double y = 0;
  for (const QString& line : lines) {
    Picture10_->text(0, y, line.toStdString());
    y += lineHeight;
  }
  runSettingsLines_ = lines;
  study_ = study;
  showNewResults();
}

void Form1::calibrationChanged(const std::optional<calibration::TubeProfile>& profile) {
  if (study_) study_->calibration = studyCalibration(state(), profile, study_->settings);
}

void Form1::showNewResults() {
  Picture1_->clear();
  Picture2_->clear();
  Picture3_->clear();
  AxisSpectrumPlot(*Picture3_);
  setCrossHairsVisible(false);
  for (QLineEdit* readout : {Text1_, Text2_, Text3_, Text4_, Text5_, AbsoluteKermaText_}) {
    readout->clear();
  }
  BeamQualityLabel_->clear();
  mapShown_ = false;
  axisSpectrum_ = keepAxisSpectrum();
  pointSpectra_.clear();
  showPoints();
  showCalibrationState();
}

void Form1::setCrossHairsVisible(bool visible) {
  for (CrossHairLine* line : {Line17_, Line18_, Line19_}) line->setVisible(visible);
}

}  // namespace palvane
