#pragma once

#include <optional>
#include <vector>

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "palvane/forms/messages.h"
#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/exports.h"
#include "palvane/physics/kept_spectrum.h"
#include "palvane/physics/report_set.h"
#include "palvane/physics/study.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace palvane {

class CrossHairLine;
class MapView;
class PictureBox;
class PointLegend;
class PointList;
class PointMarkers;

inline constexpr char kForm1Caption[] = "   Display the calculated distribution ";

// The display form: the settings of the engine run, the chosen map mirrored about the
// anode-cathode axis with its profile, read-outs under the mouse, and the spectrum at a
// clicked point drawn over the beam-axis spectrum.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Command1_Click();  // draw the chosen map and its profile
  void Command2_Click();  // back to the spectrum form
  void Command3_Click();  // clear the spectrum graph
  void Command4_Click();  // show the remarks
  // Mouse positions in the picture's user units.
  void Picture2_MouseMove(double x, double y);
  void Picture1_MouseMove(double x, double y);
  void Picture2_MouseDown(double x, double y);
  // Asks for a folder, then saveTo.
  void SaveButton_Click();
  // Enter in Text4 or Text5: the spectrum at the typed point X, Y in mm, as a click there
  // would draw it.
  void PointText_Enter();

  // Writes a new set folder inside `folder`, named from the date, the time and the
  // settings of the run (setFolderName; _2, _3, ... when that name is taken), holding
  // for each of the three maps a figure (PNG and SVG) and a CSV file, the profiles on the
  // X axis, every spectrum on the spectrum graph (spectrum_axis.csv, spectrum_point_<n>.csv
  // in the order of the clicks since the last Clear) with a figure of them all,
  // summary.csv and README.txt. A file that cannot be written is reported in a message
  // box and the set folder is removed. Returns the set folder, empty when nothing was
  // saved.
  QString saveTo(const QString& folder);

  // Shows the study handed over by the spectrum form: its settings on Picture10, one line
  // each from the top, and the form in the state new results are shown in (showNewResults).
  void showResults(const Study& study);
  // The calibration in force changed on the spectrum form: the shown study takes it.
  void calibrationChanged(const std::optional<calibration::TubeProfile>& profile);

  // Opens the quantitative view of the map on display (and its profile) in a window of
  // its own; nothing before the first Draw.
  void MapViewButton_Click();
  MapView* mapView() const { return mapView_; }

  // The numbered points: their markers on the map, their legend on the spectrum graph and
  // their list.
  const PointMarkers& pointMarkers() const { return *PointMarkers_; }
  const PointLegend& pointLegend() const { return *PointLegend_; }
  const PointList& pointList() const { return *PointList_; }
  // The line naming the folder of the last save.
  QString note() const;

  QStringList runSettingsLines() const { return runSettingsLines_; }

 private:
  // Brings the form to the state new results are shown in: map and profile cleared, the
  // beam-axis spectrum drawn, cross-hairs hidden, read-outs empty.
  void showNewResults();

  // The settings panel Picture10 is printed in twips from its top-left corner, y downward.
  static constexpr double kSettingsPanelWidth = 3255;
  static constexpr double kSettingsPanelHeight = 3615;

  // Creates the controls at their places (form1_layout.cpp).
  void createControls();
  void connectHandlers();
  void Form_Load();
  void setCrossHairsVisible(bool visible);
  void placeCrossHairs(double mapY, double x);
  // The absolute air kerma read-out at the pointer, shown only while the study's calibration
  // has an output: the air kerma of the relative value, or empty for nullopt.
  void showPointerKerma(std::optional<double> relativeKerma);
  // With a profile in the study's calibration, the line that says whether the shown run is
  // calibrated; hidden without one, as the form was before profiles.
  void showCalibrationState();
  // The read-out of the shown quantity at map element (column, row).
  QString valueReadout(int column, int row, const char* hvlPattern) const;
  // The spectrum at (PointX, PointY) with the read-out of its beam quality, or the message
  // for a spectrum that is not drawn.
  void drawPointSpectrum();
  // Shows the markers and legend entries of pointSpectra_.
  void showPoints();
  // The points of pointSpectra_, X and Y in mm.
  std::vector<QPointF> pointsInMillimetres() const;
  // The line naming the folder of the last save, in the language chosen now.
  void showNote();
  QString noteSavedFolder_;
  // What the set of a save at `stamp` holds: the shown run, its spectra and the
  // calibration in force.
  ReportSetContents reportSetContents(const ExportStamp& stamp) const;
  // The files of a set into its (new) folder; throws FileError naming the file.
  static void writeSet(const QString& setFolder, const ReportSetContents& contents);

  QGroupBox* Frame1_ = nullptr;
  QRadioButton* Option1_ = nullptr;
  QRadioButton* Option2_ = nullptr;
  QRadioButton* Option3_ = nullptr;
  QPushButton* Command1_ = nullptr;
  QPushButton* Command2_ = nullptr;
  QPushButton* Command3_ = nullptr;
  QPushButton* Command4_ = nullptr;
  QPushButton* SaveButton_ = nullptr;
  PictureBox* Picture1_ = nullptr;   // profile along X
  PictureBox* Picture2_ = nullptr;   // map
  PictureBox* Picture3_ = nullptr;   // spectra
  PictureBox* Picture7_ = nullptr;   // colour bar
  PictureBox* Picture10_ = nullptr;  // settings of the run
  QLineEdit* Text1_ = nullptr;       // mouse X, mm
  QLineEdit* Text2_ = nullptr;       // mouse Y, mm
  QLineEdit* Text3_ = nullptr;       // value under the mouse
  QLineEdit* Text4_ = nullptr;       // clicked X, mm
  QLineEdit* Text5_ = nullptr;       // clicked Y, mm
  QLabel* Label3_ = nullptr;         // name of the value
  QLabel* Label4_ = nullptr;         // title of the profile
  QLabel* Label27_ = nullptr;        // unit of the value
  // The absolute air kerma under the mouse, with its caption and unit in their own row.
  QWidget* AbsoluteKermaRow_ = nullptr;
  QLineEdit* AbsoluteKermaText_ = nullptr;
  QLabel* CalibrationStateLabel_ = nullptr;
  CrossHairLine* Line17_ = nullptr;  // horizontal, map
  CrossHairLine* Line18_ = nullptr;  // vertical, map
  CrossHairLine* Line19_ = nullptr;  // vertical, profile
  // The beam quality at the clicked point.
  QLabel* BeamQualityLabel_ = nullptr;
  PointMarkers* PointMarkers_ = nullptr;
  PointLegend* PointLegend_ = nullptr;
  PointList* PointList_ = nullptr;
  QPushButton* MapViewButton_ = nullptr;
  QLabel* NoteLabel_ = nullptr;
  MapView* mapView_ = nullptr;

  std::optional<MapQuantity> shownQuantity_;  // none before the first Draw
  bool mapDrawn_ = false;
  // Whether Picture2 shows a map: the read-outs stay active once a map has been drawn
  // (mapDrawn_), but new results clear the picture until the next Draw.
  bool mapShown_ = false;
  // The spectra on Picture3, for the export: the beam-axis spectrum once results are
  // shown, and the point spectra clicked since then or since the last Clear.
  std::optional<KeptSpectrum> axisSpectrum_;
  std::vector<KeptSpectrum> pointSpectra_;
  // The study whose results are shown.
  std::optional<Study> study_;
  QStringList runSettingsLines_;
};

}  // namespace palvane
