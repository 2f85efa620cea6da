#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QWidget>
#include <QtGlobal>

#include "calibration/output_calibration.h"
#include "palvane/forms/messages.h"
#include "palvane/physics/kept_spectrum.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/form_ports.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace palvane {

class CalibrationPanel;
class EngineConsole;
class EngineRunWatch;
class PictureBox;

// The captions of the setting fields, shown beside them and named in the messages about
// their texts, in the order of SettingField.
inline constexpr const char* kSettingCaptions[] = {
    QT_TRANSLATE_NOOP("palvane", "Ｘ線管電圧"),
    QT_TRANSLATE_NOOP("palvane", "ターゲット角度(θ)"),
    QT_TRANSLATE_NOOP("palvane", "管球傾斜角度(φ)"),
    QT_TRANSLATE_NOOP("palvane", "ベリリウム"),
    QT_TRANSLATE_NOOP("palvane", "アルミ (当量)"),
    QT_TRANSLATE_NOOP("palvane", "モリブデン"),
    QT_TRANSLATE_NOOP("palvane", "ロジウム"),
    QT_TRANSLATE_NOOP("palvane", "その他のフィルタ"),
    QT_TRANSLATE_NOOP("palvane", "圧迫板"),
};
// The messages about a setting's text: %1 the field's caption, %2 the text.
inline constexpr char kSettingNotANumberMessage[] =
    QT_TRANSLATE_NOOP("palvane", "%1「%2」は数値ではありません");
inline constexpr char kNegativeThicknessMessage[] =
    QT_TRANSLATE_NOOP("palvane", "%1「%2」は負の値です。厚さは 0 以上を入力してください");
// The message about a setting's text, in the language chosen now.
QString settingProblemMessage(const SettingTextProblem& problem);

// The added row: the material choice meaning no layer, and the caption of the compression
// plate, which says it is ignored while none is chosen (%1: "PMMA 2.4 mm").
inline constexpr char kNoLayerCaption[] = QT_TRANSLATE_NOOP("palvane", "なし");
inline constexpr char kPlateIgnoredCaption[] =
    QT_TRANSLATE_NOOP("palvane", "（圧迫板による減弱は考慮しない）");
inline constexpr char kPlateIncludedCaption[] =
    QT_TRANSLATE_NOOP("palvane", "（圧迫板 %1 を考慮）");

// The message of a tube voltage outside 20..50 kV.
inline constexpr char kVoltageOutOfRangeMessage[] =
    QT_TRANSLATE_NOOP("palvane", "管電圧が設定可能範囲を逸脱しています");

// The spectrum form: the tube and filter settings (its text and combo boxes are the only
// store of them), the beam-axis spectrum graph, and the way to the engine run, its
// results and the other forms. It is the program's first form.
class Form2 : public QWidget, public ParameterTexts {
  Q_OBJECT

 public:
  explicit Form2(QWidget* parent = nullptr);
  ~Form2() override;

  // Loads the coefficient tables, draws the empty graph and sets the defaults. A table
  // that cannot be read is reported in a message box naming the file; then it returns
  // false and the form must not be used.
  bool Form_Load();
  bool tablesLoaded() const { return tablesLoaded_; }

  void Option1_Click();
  void Option2_Click();
  void Command1_Click();  // draw the beam-axis spectrum
  void Command2_Click();  // show the angle diagram
  void Command3_Click();  // reset the graph
  void Command4_Click();  // to the title form
  void Command5_Click();  // show the results of the engine run
  void Command7_Click();  // start the engine
  // Asks for a folder, then saveTo.
  void SaveButton_Click();

  // Writes a new set folder inside `folder` (named from the date, the time and the
  // settings, then _spectrum; _2, _3, ... when taken, so nothing is ever replaced) holding
  // the drawn beam-axis spectrum as spectrum_axis.csv, the figure spectrum_axis (PNG and
  // SVG: numbered axes, the settings and the beam quality) and each kept curve as
  // spectrum_kept_<n>.csv, drawn in the figure too. A file that cannot be written, or no
  // drawn spectrum, is reported in a message box and nothing stays behind. Returns the set
  // folder, empty when nothing was saved.
  QString saveTo(const QString& folder);

  // Keeps the drawn spectrum for comparison: it is drawn under every later spectrum, in
  // the colour of its number, and listed with its settings beside the graph.
  void KeepCurveButton_Click();
  void ClearKeptButton_Click();
  int keptCurveCount() const { return static_cast<int>(keptCurves_.size()); }

  PictureBox& spectrumGraph() { return *Picture3_; }
  CalibrationPanel& calibrationPanel() { return *CalibrationPanel_; }

  // Starts the engine program of that name for the run B2F.dat describes, closing the
  // consoles of earlier runs, and reports on the status line when its results are written
  // and how long that took.
  void startEngineRun(const QString& engineName);
  // The lines below the graph: the engine run, then a note (settings replaced by those
  // of the results shown, or the folder of the last save).
  QString runStatus() const;
  QString note() const;
  // Whether the graph and its read-out are marked as no longer matching the settings.
  bool spectrumMarkedStale() const;

  // Names the folder palvane works in, in the form's tool tip.
  void showWorkingFolder(const QString& folder);

  std::string tubeVoltage() const override;
  std::string targetAngle() const override;
  std::string tiltAngle() const override;
  std::string beryllium() const override;
  std::string aluminium() const override;
  std::string molybdenum() const override;
  std::string rhodium() const override;
  void setTubeVoltage(const std::string& text) override;
  std::string addedFilterMaterial() const override;
  std::string addedFilter() const override;
  std::string plateMaterial() const override;
  std::string plate() const override;

 private:
  // The added row (form2_layers.cpp): its controls, its material choices from the loaded
  // tables, and the plate caption for the plate chosen.
  void createLayerControls();
  void fillLayerChoices();
  void showPlateCaption();
  // Shows a run's layers in the added row.
  void showLayers(const AddedLayers& layers);
  // Creates the controls at their places (form2_layout.cpp).
  void createControls();
  void connectHandlers();
  void setSpectrumButtonsEnabled(bool enabled);
  // Draws the beam-axis spectrum and writes B_SPCTL.dat for the present settings. A voltage
  // out of range, a setting that is not a number or a spectrum the model cannot compute is
  // reported in a message box; then the graph stays empty, the spectrum buttons are
  // disabled and it returns false.
  bool drawSpectrum();
  // Whether the settings are those of the drawn spectrum.
  bool showsDrawnSettings() const;
  // Clears the graph, its beam-quality read-out and the kept spectrum, and draws the axes.
  void clearSpectrum();
  // Marks the graph and its read-out when the settings no longer are those they show.
  void markStaleSpectrum();
  // The status lines in the language chosen now.
  void showStatus();
  // Shows the note `source` (a text of run_texts.h) with its argument.
  void showNote(const char* source, const QString& argument);
  // The message for results that are not there yet, or empty when they can be read.
  QString resultsNotReadyMessage() const;

  QRadioButton* Option1_ = nullptr;
  QRadioButton* Option2_ = nullptr;
  QLineEdit* Text1_ = nullptr;                // tube voltage, kV
  QLineEdit* Text2_ = nullptr;                // aluminium, mm
  QLineEdit* Text3_ = nullptr;                // tilt angle, degrees
  QLineEdit* Text5_ = nullptr;                // target angle, degrees
  QLineEdit* Text8_ = nullptr;                // beryllium, mm
  QComboBox* Combo1_ = nullptr;               // molybdenum filter, mm
  QComboBox* Combo2_ = nullptr;               // rhodium filter, mm
  QComboBox* AddedFilterMaterial_ = nullptr;  // the added row: material keys as item data
  QLineEdit* AddedFilter_ = nullptr;          // mm
  QComboBox* PlateMaterial_ = nullptr;
  QLineEdit* Plate_ = nullptr;  // mm
  QLabel* PlateCaption_ = nullptr;
  QPushButton* Command1_ = nullptr;
  QPushButton* Command2_ = nullptr;
  QPushButton* Command3_ = nullptr;
  QPushButton* Command4_ = nullptr;
  QPushButton* Command5_ = nullptr;
  QPushButton* Command7_ = nullptr;
  QPushButton* SaveButton_ = nullptr;
  PictureBox* Picture3_ = nullptr;
  QLabel* BeamQualityLabel_ = nullptr;
  CalibrationPanel* CalibrationPanel_ = nullptr;
  QLabel* RunStatusLabel_ = nullptr;
  QLabel* NoteLabel_ = nullptr;
  QLabel* StaleMark_ = nullptr;  // over the graph
  // The last engine run started here and its settings in words ("28 kV, Mo/Rh").
  EngineRunWatch* runWatch_ = nullptr;
  QString runDescription_;
  const char* runStatusSource_ = nullptr;
  double runSeconds_ = 0.0;
  const char* noteSource_ = nullptr;
  QString noteArgument_;
  std::optional<KeptSpectrum> drawnSpectrum_;  // the beam-axis spectrum on the graph
  // Whether the display form shows a run: it then gets every change of the calibration.
  bool resultsShown_ = false;
  std::optional<TubeSetup> drawnSettings_;  // what drawnSpectrum_ was computed for
  // Draws the kept curves on the graph and lists them beside it.
  void drawKeptCurves();
  void listKeptCurves();
  std::vector<KeptSpectrum> keptCurves_;
  QPushButton* KeepCurveButton_ = nullptr;
  QPushButton* ClearKeptButton_ = nullptr;
  QLabel* KeptCurvesLabel_ = nullptr;
  bool tablesLoaded_ = false;
};

}  // namespace palvane
