#pragma once

#include <optional>
#include <vector>

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "palvane/physics/exports.h"
#include "palvane/physics/kept_spectrum.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace palvane {

class CrossHairLine;
class PictureBox;

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

  // Writes what the form shows into the folder: the shown map and its profile on the
  // X axis as map_<quantity>.csv, profile_<quantity>.csv, map_<quantity>.png (map and
  // colour bar) and profile_<quantity>.png; every spectrum on the spectrum graph as
  // spectrum_axis.csv and spectrum_point_<n>.csv (n = 1, 2, ... in the order of the
  // clicks since the last Clear); the spectrum graph as spectra.png. The first file that
  // cannot be written is reported in a message box and ends the save; returns whether
  // every file was written.
  bool saveTo(const QString& folder);

  // Prints the settings of the run on Picture10, one line each from the top.
  void printRunSettings(const QStringList& lines);
  QStringList runSettingsLines() const { return runSettingsLines_; }

  // Brings the form to the state new results are shown in: map and profile cleared, the
  // beam-axis spectrum drawn, cross-hairs hidden, read-outs empty.
  void showNewResults();

 private:
  // Creates the controls at their places (form1_layout.cpp).
  void createControls();
  void connectHandlers();
  void Form_Load();
  void setCrossHairsVisible(bool visible);
  void placeCrossHairs(double mapY, double x);
  // The read-out of the shown quantity at map element (column, row).
  QString valueReadout(int column, int row, const char* hvlPattern) const;
  MapQuantity shownMapQuantity() const;
  // The map with the colour bar and its labels beside it, placed as on the form.
  QImage mapWithColourBar() const;
  void writeShownMap(const QString& folder) const;
  void writeShownSpectra(const QString& folder) const;

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
  CrossHairLine* Line17_ = nullptr;  // horizontal, map
  CrossHairLine* Line18_ = nullptr;  // vertical, map
  CrossHairLine* Line19_ = nullptr;  // vertical, profile
  // The beam quality at the clicked point.
  QLabel* BeamQualityLabel_ = nullptr;

  int shownQuantity_ = 0;  // 1 energy fluence, 2 air kerma, 3 HVL; 0 before the first Draw
  bool mapDrawn_ = false;
  // Whether Picture2 shows a map: the read-outs stay active once a map has been drawn
  // (mapDrawn_), but new results clear the picture until the next Draw.
  bool mapShown_ = false;
  // The spectra on Picture3, for the export: the beam-axis spectrum once results are
  // shown, and the point spectra clicked since then or since the last Clear.
  std::optional<KeptSpectrum> axisSpectrum_;
  std::vector<KeptSpectrum> pointSpectra_;
  QStringList runSettingsLines_;
};

}  // namespace palvane
