#include "palvane/forms/form2.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/form3.h"
#include "palvane/forms/form4.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/message_box.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/saving.h"
#include "palvane/forms/screen_fit.h"
#include "palvane/forms/translated_text.h"
#include "palvane/forms/twips.h"
#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/point_beam_quality.h"
#include "palvane/physics/point_model.h"
#include "palvane/physics/point_spectrum.h"
#include "palvane/physics/spectrum_graphs.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/shared_state.h"
#include "palvane/state/table_loading.h"
#include "text_files/file_error.h"
#include "text_files/number_text.h"
#include "text_files/spectrum_form_defaults.h"

namespace palvane {

namespace {

std::string textOf(const QLineEdit* box) { return box->text().toStdString(); }
std::string textOf(const QComboBox* box) { return box->currentText().toStdString(); }

}  // namespace

QString settingProblemMessage(const SettingTextProblem& problem) {
  const char* message =
      problem.negativeThickness ? kNegativeThicknessMessage : kSettingNotANumberMessage;
  return translated(message).arg(translated(kSettingCaptions[static_cast<int>(problem.field)]),
                                 QString::fromStdString(problem.text));
}

Form2::Form2(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("  X-ray spectrum"));
  // The original 16680 x 7665 twips, a column on the right for the beam quality and the
  // save button, and a strip below for the tube calibration: 1336 x 664 pixels, which a
  // 1366 x 768 screen holds whole.
  setClientSize(*this, 20040, 9960);
  createControls();
  connectHandlers();
  showPlateCaption();
  onLanguageChange(*this, [this] { showPlateCaption(); });
  state().ports.parameters = this;
  state().ports.spectrumFormGraph = Picture3_;
  fitToScreen(*this);
}

Form2::~Form2() {
  FormPorts& ports = state().ports;
  if (ports.parameters == this) ports.parameters = nullptr;
  if (ports.spectrumFormGraph == Picture3_) ports.spectrumFormGraph = nullptr;
}

void Form2::connectHandlers() {
  // A button's Click runs when it becomes selected, by the user or by the program.
  connect(Option1_, &QRadioButton::toggled, this, [this](bool selected) {
    if (selected) Option1_Click();
  });
  connect(Option2_, &QRadioButton::toggled, this, [this](bool selected) {
    if (selected) Option2_Click();
  });
  connect(Command1_, &QPushButton::clicked, this, &Form2::Command1_Click);
  connect(Command2_, &QPushButton::clicked, this, &Form2::Command2_Click);
  connect(Command3_, &QPushButton::clicked, this, &Form2::Command3_Click);
  connect(Command4_, &QPushButton::clicked, this, &Form2::Command4_Click);
  connect(Command5_, &QPushButton::clicked, this, &Form2::Command5_Click);
  connect(Command7_, &QPushButton::clicked, this, &Form2::Command7_Click);
  connect(SaveButton_, &QPushButton::clicked, this, &Form2::SaveButton_Click);
  connect(PlateMaterial_, &QComboBox::currentIndexChanged, this, [this] { showPlateCaption(); });
  connect(Plate_, &QLineEdit::textChanged, this, [this] { showPlateCaption(); });
  connect(KeepCurveButton_, &QPushButton::clicked, this, &Form2::KeepCurveButton_Click);
  connect(ClearKeptButton_, &QPushButton::clicked, this, &Form2::ClearKeptButton_Click);
  // Any change of a setting may leave the drawn spectrum behind, and renews the calibration
  // state (after the target's own handler, which sets the target's filters).
  const auto settingsChanged = [this] {
    markStaleSpectrum();
    if (state().ports.parameters == this) CalibrationPanel_->settingsChanged();
  };
  for (QLineEdit* box : {Text1_, Text2_, Text3_, Text5_, Text8_, AddedFilter_, Plate_}) {
    connect(box, &QLineEdit::textChanged, this, settingsChanged);
  }
  for (QComboBox* box : {Combo1_, Combo2_, AddedFilterMaterial_, PlateMaterial_}) {
    connect(box, &QComboBox::currentTextChanged, this, settingsChanged);
  }
  for (QRadioButton* option : {Option1_, Option2_}) {
    connect(option, &QRadioButton::toggled, this, settingsChanged);
  }
  // The display form shows a run with the calibration in force.
  connect(CalibrationPanel_, &CalibrationPanel::calibrationChanged, this, [this] {
    if (resultsShown_) form1()->calibrationChanged(CalibrationPanel_->profile());
  });
  onLanguageChange(*this, [this] { showStatus(); });
}

bool Form2::Form_Load() {
  try {
    LoadTables();
  } catch (const FileError& error) {
    showWarning(nullptr, QString::fromStdString(error.what()));
    return false;
  }
  SpectrumAxes(*Picture3_);
  Combo1_->setCurrentText(shortestText(kMolybdenumTargetMolybdenumFilter));
  Combo2_->setCurrentText(shortestText(kMolybdenumTargetRhodiumFilter));
  Text1_->setText(shortestText(kDefaultTubeVoltage));
  Text8_->setText(shortestText(kDefaultBeryllium));
  Text2_->setText(shortestText(kDefaultAluminium));
  Text5_->setText(shortestText(kDefaultTargetAngle));
  Text3_->setText(shortestText(kDefaultTiltAngle));
  setSpectrumButtonsEnabled(false);
  Option1_->setChecked(true);
  state().TargetType = 0;
  drawLoadTimeCaption(*Picture3_);
  fillLayerChoices();
  tablesLoaded_ = true;
  CalibrationPanel_->settingsChanged();
  return true;
}

void Form2::Option1_Click() {
  state().TargetType = 0;
  Combo1_->setCurrentText(shortestText(kMolybdenumTargetMolybdenumFilter));
  Combo2_->setCurrentText(shortestText(kMolybdenumTargetRhodiumFilter));
}

void Form2::Option2_Click() {
  state().TargetType = 1;
  Combo1_->setCurrentText(shortestText(kTungstenTargetMolybdenumFilter));
  Combo2_->setCurrentText(shortestText(kTungstenTargetRhodiumFilter));
}

void Form2::Command1_Click() {
  if (drawSpectrum()) Command7_->setFocus();
}

bool Form2::drawSpectrum() {
  clearSpectrum();
  setSpectrumButtonsEnabled(false);
  const double voltage = SettingNumber(textOf(Text1_));
  if (voltage > kHighestTubeVoltage || voltage < kLowestTubeVoltage) {
    QApplication::beep();
    showWarning(this, translated(kVoltageOutOfRangeMessage));
    return false;
  }
  if (const std::optional<SettingTextProblem> problem = settingTextProblem(*this)) {
    showWarning(this, settingProblemMessage(*problem));
    return false;
  }
  SharedState& shared = state();
  if (const std::optional<std::string> problem =
          layersProblem(shared, tubeSetupOf(shared.TargetType, *this))) {
    showWarning(this, QString::fromStdString(*problem));
    return false;
  }

  shared.PointMode = 0;
  PointSpectrumOutcome outcome = PointSpectrumOutcome::kDrawn;
  try {
    outcome = shared.TargetType == 0 ? ComputePointSpectrumMo() : ComputePointSpectrumW();
  } catch (const FileError& error) {
    showWarning(this, QString::fromStdString(error.what()));
    return false;
  }
  if (outcome == PointSpectrumOutcome::kNoNormaliser) {
    showWarning(this, translated(kNoNormaliserMessage));
    return false;
  }
  if (outcome == PointSpectrumOutcome::kOutsideModel) {
    showWarning(this, translated(kOutsideModelMessage));
    return false;
  }
  showLines(*BeamQualityLabel_, PointBeamQualityReadout());
  drawnSpectrum_ = keepLastPointSpectrum();
  // Read after the computation: the tungsten model may have clamped the voltage text.
  drawnSettings_ = tubeSetupOf(shared.TargetType, *this);
  markStaleSpectrum();
  setSpectrumButtonsEnabled(true);
  return true;
}

bool Form2::showsDrawnSettings() const {
  return drawnSettings_ && !settingTextProblem(*this) &&
         *drawnSettings_ == tubeSetupOf(state().TargetType, *this);
}

void Form2::Command2_Click() {
  Form3* diagram = form3();
  diagram->show();
  diagram->raise();
  diagram->activateWindow();
}

void Form2::Command3_Click() {
  clearSpectrum();
  setSpectrumButtonsEnabled(false);
}

void Form2::clearSpectrum() {
  Picture3_->clear();
  SpectrumAxes(*Picture3_);
  BeamQualityLabel_->clear();
  drawnSpectrum_.reset();
  drawnSettings_.reset();
  markStaleSpectrum();
  drawKeptCurves();
}

void Form2::showWorkingFolder(const QString& folder) {
  const auto show = [this, folder] {
    setToolTip(translated(QT_TRANSLATE_NOOP("palvane", "作業フォルダ: %1")).arg(folder));
  };
  show();
  onLanguageChange(*this, show);
}

void Form2::Command4_Click() {
  form4()->show();
  hide();
}

void Form2::setSpectrumButtonsEnabled(bool enabled) {
  Command3_->setEnabled(enabled);
  Command7_->setEnabled(enabled);
}

std::string Form2::tubeVoltage() const { return textOf(Text1_); }
std::string Form2::targetAngle() const { return textOf(Text5_); }
std::string Form2::tiltAngle() const { return textOf(Text3_); }
std::string Form2::beryllium() const { return textOf(Text8_); }
std::string Form2::aluminium() const { return textOf(Text2_); }
std::string Form2::molybdenum() const { return textOf(Combo1_); }
std::string Form2::rhodium() const { return textOf(Combo2_); }

void Form2::setTubeVoltage(const std::string& text) {
  Text1_->setText(QString::fromStdString(text));
}

}  // namespace palvane
