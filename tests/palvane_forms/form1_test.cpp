#include "palvane/forms/form1.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <cstdio>
#include <string>

#include "forms_test_support.h"
#include "palvane/forms/cross_hair_line.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/picture_box.h"
#include "palvane/state/shared_state.h"

using formstest::control;
using formstest::MessageBoxAnswerer;
using formstest::WorkingDirectory;
using palvane::FieldMap;
using palvane::Form1;
using palvane::PictureBox;
using palvane::Rgb;
using palvane::state;

namespace {

QString describe(Rgb colour) {
  return QStringLiteral("%1,%2,%3").arg(colour.red).arg(colour.green).arg(colour.blue);
}

// The colour of the map cell (i, j) above the axis (mirrored: below it), read at the
// cell's centre.
QString cellColour(const Form1& form, int i, int j, bool mirrored = false) {
  const double y = 4.0 * j - 2.0;
  return describe(
      control<PictureBox>(form, "Picture2")->colourAt(4.0 * i - 4.0, mirrored ? -y : y));
}

QString text(const Form1& form, const char* name) { return control<QLineEdit>(form, name)->text(); }

QString caption(const Form1& form, const char* name) { return control<QLabel>(form, name)->text(); }

bool lineVisible(const Form1& form, const char* name) {
  return !control<palvane::CrossHairLine>(form, name)->isHidden();
}

int bluePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == QColor(Qt::blue);
  }
  return count;
}

void fill(FieldMap& map, double value) {
  for (auto& column : map) column.fill(value);
}

// A map whose read-out in percent, (i + 100 j) / 10, tells the column i and the row j.
void fillWithIndices(FieldMap& map) {
  for (int i = 1; i <= 76; ++i) {
    for (int j = 1; j <= 51; ++j) map[i][j] = (i + 100.0 * j) / 1000.0;
  }
}

void draw(Form1& form, const char* option) {
  control<QRadioButton>(form, option)->setChecked(true);
  form.Command1_Click();
}

// Result.dat with every map value v and the reference HVL axisHvl; cut short when asked.
QByteArray resultFile(double v, double axisHvl, bool complete) {
  QByteArray text;
  for (double reference : {2.0, 3.0, axisHvl}) {
    text += QByteArray::number(reference, 'E', 5) + "\r\n";
    for (int j = 1; j <= 51; ++j) {
      for (int i = 1; i <= 76; ++i) text += ' ' + QByteArray::number(v, 'E', 4);
      text += "\r\n";
    }
  }
  return complete ? text : text.left(text.size() / 2);
}

void writeFile(const QString& name, const QByteArray& contents) {
  QFile file(name);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(contents);
}

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    directory_ = std::make_unique<WorkingDirectory>();
    QVERIFY(directory_->ready());
    // The spectrum form gives the point spectra their parameters and tables.
    QVERIFY(palvane::form2()->tablesLoaded());
  }

  void cleanupTestCase() { directory_.reset(); }

  void loadDrawsTheColourBar() {
    Form1 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("   Display the calculated distribution "));
    const auto* bar = control<PictureBox>(form, "Picture7");
    QCOMPARE(describe(bar->colourAt(1, 0.5)), QStringLiteral("255,255,255"));
    QCOMPARE(describe(bar->colourAt(1, 254.5)), QStringLiteral("255,0,0"));
    QCOMPARE(describe(bar->colourAt(1, 153)), QStringLiteral("255,255,0"));
    QVERIFY(!lineVisible(form, "Line17"));
  }

  void drawColoursCellsBySevenTenthsToSixFifths() {
    Form1 form;
    fill(state().FluenceMap, 1.0);
    state().FluenceMap[10][5] = 0.7;
    state().FluenceMap[11][5] = 0.5;
    state().FluenceMap[20][30] = 1.2;
    state().FluenceMap[21][30] = 3.0;
    state().FluenceMap[40][1] = 0.9;  // c = 612 - 459 = 153
    draw(form, "Option1");

    // The reference cell around the yellow mark (which covers |y| <= 2).
    const auto* map = control<PictureBox>(form, "Picture2");
    QCOMPARE(describe(map->colourAt(0, 3)), QStringLiteral("255,102,102"));
    QCOMPARE(describe(map->colourAt(0, -3)), QStringLiteral("255,102,102"));
    QCOMPARE(describe(map->colourAt(0, 0)), QStringLiteral("255,255,0"));
    for (bool mirrored : {false, true}) {
      QCOMPARE(cellColour(form, 10, 5, mirrored), QStringLiteral("255,255,255"));
      QCOMPARE(cellColour(form, 11, 5, mirrored), QStringLiteral("255,255,255"));
      QCOMPARE(cellColour(form, 20, 30, mirrored), QStringLiteral("255,0,0"));
      QCOMPARE(cellColour(form, 21, 30, mirrored), QStringLiteral("255,0,0"));
      QCOMPARE(cellColour(form, 40, 1, mirrored), QStringLiteral("255,153,153"));
      QCOMPARE(cellColour(form, 76, 50, mirrored), QStringLiteral("255,102,102"));
    }
    QCOMPARE(caption(form, "Label3"), QStringLiteral("Energy Fluence ="));
    QCOMPARE(caption(form, "Label27"), QStringLiteral("%"));
    QCOMPARE(caption(form, "Label4"),
             QStringLiteral("Profile of Relative Energy Fluence on X-axis"));
  }

  void profileFollowsTheFirstRowInPercent() {
    Form1 form;
    fill(state().KermaMap, 1.0);
    for (int i = 40; i <= 76; ++i) state().KermaMap[i][1] = 0.5;
    draw(form, "Option2");
    const auto* profile = control<PictureBox>(form, "Picture1");
    QCOMPARE(describe(profile->colourAt(200, 50)), QStringLiteral("255,0,0"));
    QCOMPARE(describe(profile->colourAt(40, 100)), QStringLiteral("255,0,0"));
    QCOMPARE(describe(profile->colourAt(210, 75)), QStringLiteral("255,255,255"));
    QCOMPARE(caption(form, "Label3"), QStringLiteral("Air Kerma ="));
  }

  void mapReadoutsFindTheCellUnderTheMouse() {
    Form1 form;
    fillWithIndices(state().FluenceMap);
    draw(form, "Option1");

    form.Picture2_MouseMove(300, 0);  // A = 76, B = 1
    QCOMPARE(text(form, "Text1"), QStringLiteral("150"));
    QCOMPARE(text(form, "Text2"), QStringLiteral("0"));
    QCOMPARE(text(form, "Text3"), QStringLiteral("17.6"));
    QVERIFY(lineVisible(form, "Line17") && lineVisible(form, "Line18") &&
            lineVisible(form, "Line19"));

    const struct {
      double x, y;
      const char* readout;
    } cases[] = {
        {3.9, 3.9, "10.1"},  // A = 1, B = 1
        {4, 0, "10.2"},      // A = 2
        {0, -3.9, "10.1"},   // floor gives -1 + 1 = 0, read as row 1
        {0, 4, "20.1"},      // B = 2
        {0, -5, "10.1"},     // |-2 + 1| = 1
        {0, -9, "20.1"},     // |-3 + 1| = 2
        {0, 202, "510.1"},   // the top of the picture: row 51
        {0, 250, "510.1"},   // dragged beyond the picture: kept within the map
    };
    for (const auto& c : cases) {
      form.Picture2_MouseMove(c.x, c.y);
      QCOMPARE(text(form, "Text3"), QString::fromLatin1(c.readout));
    }
    form.Picture2_MouseMove(0, -100);
    QCOMPARE(text(form, "Text2"), QStringLiteral("50"));

    form.Picture2_MouseMove(300.5, 0);
    QVERIFY(text(form, "Text1").isEmpty() && text(form, "Text3").isEmpty());
    QVERIFY(!lineVisible(form, "Line17") && !lineVisible(form, "Line19"));
  }

  void profileReadoutsStayOnTheAxis() {
    Form1 form;
    fillWithIndices(state().FluenceMap);
    draw(form, "Option1");
    form.Picture1_MouseMove(300, 50);
    QCOMPARE(text(form, "Text2"), QStringLiteral("0"));
    QCOMPARE(text(form, "Text3"), QStringLiteral("17.6"));
    QCOMPARE(control<palvane::CrossHairLine>(form, "Line17")->userCoordinate(), 0.0);
    QCOMPARE(control<palvane::CrossHairLine>(form, "Line19")->userCoordinate(), 300.0);
    form.Picture1_MouseMove(100, 131);
    QVERIFY(text(form, "Text3").isEmpty());
  }

  void hvlIsReadOutInMillimetres() {
    Form1 form;
    fill(state().HvlMap, 1.0);
    state().HvlMap[76][1] = 1.1;
    state().AxisHvl = 0.5;
    draw(form, "Option3");
    QCOMPARE(caption(form, "Label3"), QStringLiteral("HVL Al ="));
    QCOMPARE(caption(form, "Label27"), QStringLiteral("mm"));
    form.Picture2_MouseMove(0, 0);
    QCOMPARE(text(form, "Text3"), QStringLiteral("0.500"));
    form.Picture1_MouseMove(300, 10);
    QCOMPARE(text(form, "Text3"), QStringLiteral("0.550"));
  }

  void movesAndClicksBeforeTheFirstDrawChangeNothing() {
    Form1 form;
    state().PointMode = 0;
    state().PointX = 7.0;
    form.Picture2_MouseMove(100, 100);
    form.Picture1_MouseMove(100, 100);
    form.Picture2_MouseDown(100, 100);
    QVERIFY(text(form, "Text1").isEmpty() && text(form, "Text4").isEmpty());
    QVERIFY(!lineVisible(form, "Line18"));
    QCOMPARE(state().PointMode, 0);
    QCOMPARE(state().PointX, 7.0);
  }

  void clickComputesTheSpectrumAtThePoint() {
    palvane::form2()->Command1_Click();  // the beam-axis spectrum gives the normaliser
    Form1 form;
    fill(state().FluenceMap, 1.0);
    draw(form, "Option1");
    form.Picture2_MouseDown(40, -100);
    QCOMPARE(text(form, "Text4"), QStringLiteral("20"));
    QCOMPARE(text(form, "Text5"), QStringLiteral("50"));
    QCOMPARE(state().PointMode, 1);
    QCOMPARE(state().PointX, 2.0);
    QCOMPARE(state().PointY, -5.0);
    const auto* graph = control<PictureBox>(form, "Picture3");
    QVERIFY(bluePixels(graph->image()) > 50);

    form.Command3_Click();
    QVERIFY(text(form, "Text4").isEmpty() && text(form, "Text5").isEmpty());
    QCOMPARE(bluePixels(graph->image()), 0);
  }

  // The results button loads all three files before it changes anything.
  void shortResultFileIsReportedAndChangesNothing() {
    palvane::Form2& form2 = *palvane::form2();
    form2.show();
    form2.Command1_Click();  // writes B_SPCTL.dat
    writeFile(QStringLiteral("B2F.dat"),
              "0\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n");
    writeFile(QStringLiteral("Result.dat"), resultFile(1.0, 0.25, false));
    state().AxisHvl = 9.0;
    state().KermaMap[3][3] = 0.75;
    {
      MessageBoxAnswerer answerer;
      form2.Command5_Click();
      QCOMPARE(answerer.boxesSeen(), 1);
      QVERIFY(answerer.text().contains(QStringLiteral("esult.dat")));
    }
    QVERIFY(form2.isVisible());
    QCOMPARE(state().AxisHvl, 9.0);
    QCOMPARE(state().KermaMap[3][3], 0.75);
  }

  void resultsButtonFillsTheDisplayForm() {
    palvane::Form2& form2 = *palvane::form2();
    form2.show();
    writeFile(QStringLiteral("B2F.dat"),
              "1\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n");
    writeFile(QStringLiteral("Result.dat"), resultFile(1.0, 0.25, true));
    control<QRadioButton>(form2, "Option1")->setChecked(true);
    form2.Command5_Click();

    QVERIFY(!form2.isVisible());
    Form1& form1 = *palvane::form1();
    QVERIFY(form1.isVisible());
    QCOMPARE(state().TargetType, 1);
    QVERIFY(control<QRadioButton>(form2, "Option2")->isChecked());
    QCOMPARE(state().AxisHvl, 0.25);
    QCOMPARE(control<QLineEdit>(form2, "Text1")->text(), QStringLiteral("30.0"));
    QCOMPARE(control<QLineEdit>(form2, "Text3")->text(), QStringLiteral("4.0"));
    QCOMPARE(control<QLineEdit>(form2, "Text8")->text(), QStringLiteral("0.80"));
    QCOMPARE(control<QComboBox>(form2, "Combo1")->currentText(), QStringLiteral("0.030"));
    QCOMPARE(control<QComboBox>(form2, "Combo2")->currentText(), QStringLiteral("0.000"));
    QCOMPARE(form1.runSettingsLines().value(1), QStringLiteral("   Target : Tungsten"));
    QCOMPARE(form1.runSettingsLines().value(6), QStringLiteral("     Beryllium : 0.8 mm"));

    form1.Command2_Click();
    QVERIFY(form2.isVisible());
    QVERIFY(!form1.isVisible());
  }

 private:
  std::unique_ptr<WorkingDirectory> directory_;
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
