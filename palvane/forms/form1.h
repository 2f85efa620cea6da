#pragma once

#include <QStringList>
#include <QWidget>

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

  QGroupBox* Frame1_ = nullptr;
  QRadioButton* Option1_ = nullptr;
  QRadioButton* Option2_ = nullptr;
  QRadioButton* Option3_ = nullptr;
  QPushButton* Command1_ = nullptr;
  QPushButton* Command2_ = nullptr;
  QPushButton* Command3_ = nullptr;
  QPushButton* Command4_ = nullptr;
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

  int shownQuantity_ = 0;  // 1 energy fluence, 2 air kerma, 3 HVL; 0 before the first Draw
  bool mapDrawn_ = false;
  QStringList runSettingsLines_;
};

}  // namespace palvane
