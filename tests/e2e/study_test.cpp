// A whole study with the real engines: settings, beam-axis spectrum, engine run in its
// console window, results, the three maps with read-outs, a point spectrum, back.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/picture_box.h"
#include "study_support.h"

using palvane::PictureBox;
using study::click;
using study::control;
using study::text;

namespace {

QString colourAt(const QWidget& form, const char* picture, double x, double y) {
  const palvane::Rgb colour = control<PictureBox>(form, picture)->colourAt(x, y);
  return QStringLiteral("%1,%2,%3").arg(colour.red).arg(colour.green).arg(colour.blue);
}

// The values of result.dat as the engine wrote them, read here on their own: block 0..2
// is energy fluence, air kerma, HVL; line 0 of a block is its reference value.
struct ResultFile {
  QList<QList<double>> lines;

  bool read(const QString& path) {
    QFile file(path);
    lines.clear();
    if (!file.open(QIODevice::ReadOnly)) return false;
    while (!file.atEnd()) {
      QList<double> values;
      const QList<QByteArray> fields = file.readLine().simplified().split(' ');
      for (const QByteArray& field : fields) {
        if (!field.isEmpty()) values << field.toDouble();
      }
      lines << values;
    }
    return lines.size() >= 156;
  }
  double reference(int block) const { return lines[block * 52][0]; }
  double value(int block, int i, int j) const { return lines[block * 52 + j][i - 1]; }
};

// The highest image row of the point-spectrum curve (light blue) on a picture.
int topmostBlueRow(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == QColor(Qt::blue)) return y;
    }
  }
  return -1;
}

}  // namespace

class StudyTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    study::enterWorkingDirectory(directory_);
    if (QTest::currentTestFailed()) return;
    // Any message box is a failure of the study: note it and close it.
    connect(&messageWatch_, &QTimer::timeout, this, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        messages_ << box->text();
        box->reject();
      }
    });
    messageWatch_.start(50);
    QVERIFY(palvane::form2()->tablesLoaded());
  }

  void init() { messages_.clear(); }

  void cleanup() { QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n'))); }

  void molybdenumStudy() {
    palvane::Form2& form2 = *palvane::form2();
    form2.show();
    click(form2, "Option1");
    QCOMPARE(control<QComboBox>(form2, "Combo1")->currentText(), QStringLiteral("0.03"));
    runSpectrumAndEngine(QStringLiteral("dornic"));
    if (QTest::currentTestFailed()) return;
    showResults();

    QCOMPARE(palvane::form1()->runSettingsLines(),
             QStringList({QString(), "   Target : Molybdenum", "   Tube Voltage : 30 kV",
                          "   Target angle : 10 deg.", "   Tilt angle : 4 deg.", "   Filtration",
                          "     Beryllium : 0.8 mm", "     Aluminum : 0 mm",
                          "     Molybdenum : 0.03 mm", "     Rhodium : 0 mm"}));
    const char* boxes[] = {"Text1", "Text5", "Text3", "Text8", "Text2"};
    const char* expected[] = {"30.0", "10.0", "4.0", "0.80", "0.00"};
    for (int k = 0; k < 5; ++k) QCOMPARE(text(form2, boxes[k]), QString::fromLatin1(expected[k]));
    QCOMPARE(control<QComboBox>(form2, "Combo1")->currentText(), QStringLiteral("0.030"));
    QCOMPARE(control<QComboBox>(form2, "Combo2")->currentText(), QStringLiteral("0.000"));

    examineTheDisplay();
  }

  void tungstenStudy() {
    palvane::Form2& form2 = *palvane::form2();
    form2.show();
    click(form2, "Option2");
    QCOMPARE(control<QComboBox>(form2, "Combo2")->currentText(), QStringLiteral("0.025"));
    runSpectrumAndEngine(QStringLiteral("vessick"));
    if (QTest::currentTestFailed()) return;
    showResults();

    const QStringList lines = palvane::form1()->runSettingsLines();
    QCOMPARE(lines.value(1), QStringLiteral("   Target : Tungsten"));
    QCOMPARE(lines.value(8), QStringLiteral("     Molybdenum : 0 mm"));
    QCOMPARE(lines.value(9), QStringLiteral("     Rhodium : 0.025 mm"));
    QVERIFY(control<QRadioButton>(form2, "Option2")->isChecked());
    QCOMPARE(control<QComboBox>(form2, "Combo2")->currentText(), QStringLiteral("0.025"));

    examineTheDisplay();
  }

 private:
  // Draws the beam-axis spectrum and runs the engine to its end.
  void runSpectrumAndEngine(const QString& engineName) {
    palvane::Form2& form2 = *palvane::form2();
    click(form2, "Command1");
    QVERIFY(control<QPushButton>(form2, "Command7")->isEnabled());
    study::runEngine(engineName);
  }

  void showResults() {
    palvane::Form2& form2 = *palvane::form2();
    click(form2, "Command5");
    QVERIFY(palvane::form1()->isVisible());
    QVERIFY(!form2.isVisible());
    QVERIFY(result_.read(QStringLiteral("Result.dat")));
  }

  // Draws each quantity, reads values under the mouse, picks the beam axis, clears and
  // goes back.
  void examineTheDisplay() {
    palvane::Form1& form1 = *palvane::form1();
    const struct {
      const char* option;
      const char* unit;
    } quantities[] = {{"Option1", "%"}, {"Option2", "%"}, {"Option3", "mm"}};
    for (int quantity = 0; quantity < 3; ++quantity) {
      click(form1, quantities[quantity].option);
      click(form1, "Command1");
      QCOMPARE(control<QLabel>(form1, "Label27")->text(), QString(quantities[quantity].unit));
      // The reference point holds exactly 1: the cell beside the yellow mark.
      QCOMPARE(colourAt(form1, "Picture2", 0, 3), QStringLiteral("255,102,102"));
      QCOMPARE(colourAt(form1, "Picture2", 0, 0), QStringLiteral("255,255,0"));

      // x = 300 is the last column, y = -9 the second row.
      form1.Picture2_MouseMove(300, -9);
      const double value = result_.value(quantity, 76, 2);
      const QString expected = quantity < 2 ? QString::number(100 * value, 'f', 1)
                                            : QString::number(result_.reference(2) * value, 'f', 3);
      QCOMPARE(text(form1, "Text3"), expected);
      QCOMPARE(text(form1, "Text1"), QStringLiteral("150"));
    }
    // HVL on the axis in mm.
    form1.Picture2_MouseMove(1, 1);
    QCOMPARE(text(form1, "Text3"), QString::number(result_.reference(2), 'f', 3));

    // A real mouse move over the map shows the cross-hairs and the position.
    auto* map = control<PictureBox>(form1, "Picture2");
    QTest::mouseMove(map, map->toPixel(100, 50) / map->devicePixelRatioF());
    QTRY_VERIFY(!text(form1, "Text1").isEmpty());
    QVERIFY(control<QWidget>(form1, "Line17")->isVisible());

    // The spectrum on the beam axis peaks at exactly 100 % of the beam-axis peak.
    form1.Picture2_MouseDown(0, 0);
    QCOMPARE(text(form1, "Text4"), QStringLiteral("0"));
    auto* graph = control<PictureBox>(form1, "Picture3");
    const int peakRow = graph->toPixel(0, 100).y();
    QVERIFY(std::abs(topmostBlueRow(graph->image()) - peakRow) <= 1);

    click(form1, "Command3");
    QCOMPARE(topmostBlueRow(graph->image()), -1);
    QVERIFY(text(form1, "Text4").isEmpty());

    click(form1, "Command2");
    QVERIFY(palvane::form2()->isVisible());
    QVERIFY(!form1.isVisible());
  }

  QTemporaryDir directory_;
  QTimer messageWatch_;
  QStringList messages_;
  ResultFile result_;
};

QTEST_MAIN(StudyTest)
#include "study_test.moc"
