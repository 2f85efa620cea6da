// What the forms add for a study: the engine run's end reported, the spectrum marked when
// the settings change, saves that never replace, numbered points and the quantitative view
// of a map.

#include <memory>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "forms_test_support.h"
#include "palvane/figures/figure_frame.h"
#include "palvane/figures/map_figure.h"
#include "palvane/forms/engine_console.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/map_view.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/point_list.h"
#include "palvane/forms/point_overlays.h"
#include "palvane/forms/run_texts.h"
#include "palvane/forms/translated_text.h"

using formstest::control;
using formstest::MessageBoxAnswerer;
using formstest::WorkingDirectory;
using formstest::writeFile;

namespace {

// Result.dat with every map value 1 - 0.002 X (X in mm), so 90 % at X = 50 mm, and the
// reference HVL 0.3 mm.
QByteArray sloping(double reference) {
  QByteArray text = QByteArray::number(reference, 'E', 5) + "\r\n";
  for (int j = 1; j <= 51; ++j) {
    for (int i = 1; i <= 76; ++i) text += ' ' + QByteArray::number(1.0 - 0.004 * (i - 1), 'E', 4);
    text += "\r\n";
  }
  return text;
}

int pixelsOf(const QImage& image, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour;
  }
  return count;
}

}  // namespace

class StudyAidsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    directory_ = std::make_unique<WorkingDirectory>();
    QVERIFY(directory_->ready());
    QVERIFY(palvane::form2()->tablesLoaded());
    // Stand-in engines are found on the search path only.
    QVERIFY(engines_.isValid());
    qputenv("PATH", engines_.path().toLocal8Bit());
  }

  void cleanupTestCase() { directory_.reset(); }

  // A stand-in engine that takes a second before it writes Result.dat and then waits for
  // Enter: the form says the field is computed within a second of the file's arrival,
  // though nobody answers the engine; until then the results button says to wait.
  void runEndIsReportedWithoutAnsweringTheEngine() {
    QFile script(engines_.filePath(QStringLiteral("slow_engine")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(
        "#!/bin/sh\n"
        "/bin/sleep 1\n"
        "echo results > Result.dat\n"
        "echo ' --- 計算が終了しました ---'\n"
        "read answer\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    palvane::Form2& form = *palvane::form2();
    const QWidgetList before = QApplication::topLevelWidgets();
    form.startEngineRun(QStringLiteral("slow_engine"));
    QVERIFY(form.runStatus().contains(QStringLiteral("30 kV, Mo/Mo")));
    {
      MessageBoxAnswerer answerer;
      form.Command5_Click();
      QCOMPARE(answerer.text(),
               QString::fromUtf8(palvane::kResultsNotWrittenYetMessage).arg("30 kV, Mo/Mo"));
    }
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(directory_->filePath("Result.dat")), 5000);
    QElapsedTimer sinceWritten;
    sinceWritten.start();
    QTRY_VERIFY_WITH_TIMEOUT(form.runStatus().contains(QStringLiteral("秒")), 1000);
    QVERIFY(sinceWritten.elapsed() < 1000);

    // A new run closes the console still waiting for Enter, answering it; the new one's
    // close box hides it at once and lets its engine finish.
    const auto newConsole = [](const QWidgetList& earlier) {
      QPointer<palvane::EngineConsole> found;
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!earlier.contains(window)) found = qobject_cast<palvane::EngineConsole*>(window);
      }
      return found;
    };
    QPointer<palvane::EngineConsole> first = newConsole(before);
    QVERIFY(first && first->engineRunning());
    const QWidgetList beforeSecond = QApplication::topLevelWidgets();
    form.startEngineRun(QStringLiteral("slow_engine"));
    QTRY_VERIFY(first.isNull());
    QPointer<palvane::EngineConsole> second = newConsole(beforeSecond);
    QVERIFY(second && second->engineRunning());
    second->close();
    QVERIFY(!second->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(second.isNull(), 5000);
    QVERIFY(form.runStatus().contains(QStringLiteral("秒")));
    QFile::remove(directory_->filePath("Result.dat"));
  }

  // Before any run, and with results older than the settings last handed to an engine,
  // the results button says what to do.
  void resultsThatAreNotThereSayWhatToDo() {
    {
      MessageBoxAnswerer answerer;
      palvane::form2()->Command5_Click();
      QCOMPARE(answerer.text(),
               QString::fromUtf8(palvane::kNoResultsYetMessage).arg(QStringLiteral("Result.dat")));
    }
    {
      QFile old(QStringLiteral("Result.dat"));
      QVERIFY(old.open(QIODevice::WriteOnly));
      old.write("old");
      old.flush();
      QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                              QFileDevice::FileModificationTime));
    }
    writeFile(QStringLiteral("B2F.dat"), "new");
    {
      MessageBoxAnswerer answerer;
      palvane::form2()->Command5_Click();
      QCOMPARE(answerer.text(), QString::fromUtf8(palvane::kResultsOlderThanSettingsMessage)
                                    .arg(QStringLiteral("Result.dat"), QStringLiteral("B2F.dat")));
    }
    QFile::remove(QStringLiteral("Result.dat"));
    QFile::remove(QStringLiteral("B2F.dat"));
  }

  // The graph is marked while the settings are not those it shows.
  void targetSwitchMarksTheSpectrumStale() {
    palvane::Form2& form = *palvane::form2();
    control<QRadioButton>(form, "Option1")->click();
    form.Command1_Click();
    QVERIFY(!form.spectrumMarkedStale());
    control<QRadioButton>(form, "Option2")->click();
    QVERIFY(form.spectrumMarkedStale());
    control<QRadioButton>(form, "Option1")->click();
    QVERIFY(!form.spectrumMarkedStale());  // the same settings again
    control<QLineEdit>(form, "Text1")->setText(QStringLiteral("28"));
    QVERIFY(form.spectrumMarkedStale());
    form.Command1_Click();
    QVERIFY(!form.spectrumMarkedStale());
    control<QLineEdit>(form, "Text1")->setText(QStringLiteral("30"));
    form.Command1_Click();
  }

  // Each save makes a folder of its own; a kept curve is saved beside the spectrum.
  void spectrumSavesNeverReplaceEachOther() {
    palvane::Form2& form = *palvane::form2();
    form.Command1_Click();
    form.KeepCurveButton_Click();
    QCOMPARE(form.keptCurveCount(), 1);
    QTemporaryDir parent;
    const QString first = form.saveTo(parent.path());
    const QString second = form.saveTo(parent.path());
    QVERIFY(!first.isEmpty() && !second.isEmpty() && first != second);
    for (const QString& set : {first, second}) {
      const QDir folder(set);
      for (const char* name :
           {"spectrum_axis.csv", "spectrum_axis.png", "spectrum_axis.svg", "spectrum_kept_1.csv"}) {
        QVERIFY2(folder.exists(QString::fromLatin1(name)), name);
      }
    }
    form.ClearKeptButton_Click();
    QCOMPARE(form.keptCurveCount(), 0);
  }

  // Three points: three numbered markers, three curves in three colours, three legend
  // entries and three rows; Clear empties them all.
  void threePointsAreToldApart() {
    palvane::Form2& form2 = *palvane::form2();
    form2.Command1_Click();
    writeFile(QStringLiteral("B2F.dat"),
              "0\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n");
    writeFile(QStringLiteral("Result.dat"), sloping(2.0) + sloping(3.0) + sloping(0.3));
    form2.Command5_Click();
    palvane::Form1& form = *palvane::form1();
    QVERIFY(form.isVisible());
    form.Command1_Click();
    const double points[3][2] = {{20, 40}, {100, -60}, {160, 10}};
    for (const auto& point : points) form.Picture2_MouseDown(point[0], point[1]);

    QCOMPARE(form.pointMarkers().points().size(), std::size_t{3});
    QCOMPARE(form.pointMarkers().points()[1], QPointF(100, -60));
    QCOMPARE(form.pointLegend().entries(),
             QStringList({QStringLiteral("Point 1: X = 10.0 mm, Y = 20.0 mm"),
                          QStringLiteral("Point 2: X = 50.0 mm, Y = -30.0 mm"),
                          QStringLiteral("Point 3: X = 80.0 mm, Y = 5.0 mm")}));
    QCOMPARE(form.pointList().rowCount(), 3);
    QCOMPARE(form.pointList().item(2, 1)->text(), QStringLiteral("80.0"));
    const QImage graph = control<palvane::PictureBox>(form, "Picture3")->image();
    for (int n = 1; n <= 3; ++n) {
      QVERIFY2(pixelsOf(graph, palvane::pointColour(n)) > 50,
               qPrintable(QString::number(pixelsOf(graph, palvane::pointColour(n)))));
    }

    // The quantitative view of the sloping map: its scale, contours and numbered points.
    form.MapViewButton_Click();
    palvane::MapView* view = form.mapView();
    QVERIFY(view != nullptr && view->isVisible());
    QCOMPARE(view->scale().ticks, std::vector<double>({0, 20, 40, 60, 80, 100}));
    QCOMPARE(view->scale().contours, std::vector<double>({80, 90}));
    QCOMPARE(view->points().size(), std::size_t{3});
    QCOMPARE(view->valueAt(50, -20), QStringLiteral("X = 50.0 mm, Y = -20.0 mm:  90.0 %"));
    view->close();

    control<QPushButton>(form, "Command3")->click();
    QVERIFY(form.pointMarkers().points().empty());
    QVERIFY(form.pointLegend().entries().isEmpty());
    QCOMPARE(form.pointList().rowCount(), 0);
    form.Command2_Click();
  }

  // The contour at 90 % of a map falling by 0.2 % a mm lies at X = 50 mm across the whole
  // field; cells not computed carry no line and read as beyond the cut-off.
  void contoursFollowTheValuesOfTheMap() {
    palvane::FieldMap map{};
    for (int i = 1; i <= palvane::kLastMapColumn; ++i) {
      for (int j = 1; j <= palvane::kLastMapRow; ++j)
        map[i][j] = i < 70 ? 1.0 - 0.004 * (i - 1) : 0;
    }
    const auto segments =
        palvane::contourSegments(map, palvane::MapQuantity::kEnergyFluence, 0.3, 90.0);
    QCOMPARE(segments.size(), std::size_t{100});  // one per cell row, Y -100 to 100 mm
    for (const QLineF& segment : segments) {
      QCOMPARE(segment.x1(), 50.0);
      QCOMPARE(segment.x2(), 50.0);
    }
    const palvane::MapScale hvl = palvane::mapScale(map, palvane::MapQuantity::kHvl, 0.3);
    QCOMPARE(hvl.contours.size(), std::size_t{1});  // 0.25 mm; 0.2 lies below 0.2184
    QCOMPARE(hvl.contours[0], 0.25);
    palvane::MapView view;
    view.showMap(map, palvane::MapQuantity::kHvl, 0.3, map, map, map, {}, {});
    QCOMPARE(view.valueAt(140, 0), QStringLiteral("X = 140.0 mm, Y = 0.0 mm:  ") +
                                       palvane::translated(palvane::kBeyondCutOffText));
    QCOMPARE(view.valueAt(0, 0), QStringLiteral("X = 0.0 mm, Y = 0.0 mm:  0.300 mm Al"));
  }

 private:
  std::unique_ptr<WorkingDirectory> directory_;
  QTemporaryDir engines_;
};

QTEST_MAIN(StudyAidsTest)
#include "study_aids_test.moc"
