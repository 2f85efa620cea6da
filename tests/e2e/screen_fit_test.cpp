// The forms on the screen the test runs on (CTest runs it once per screen size and scale):
// every form and the engine's console window lies wholly inside the available area with
// all its controls, and the workflow buttons, Draw and the map answer clicks at the
// centre of what is shown.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "palvane/forms/engine_console.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form3.h"
#include "palvane/forms/form4.h"
#include "palvane/forms/form5.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/program_start.h"
#include "study_support.h"

using study::control;

namespace {

QRect availableArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// Shows the form, brings it up on the screen and checks that it and each of its visible
// controls, also those inside panels, lie inside the available area; reports the size
// shown.
void expectWhollyOnScreen(QWidget& window) {
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  const QRect area = availableArea();
  const QRect frame = window.frameGeometry();
  qInfo("%s: %dx%d at %d,%d on %dx%d (ratio %.2f)", qPrintable(window.objectName()), window.width(),
        window.height(), frame.x(), frame.y(), area.width(), area.height(),
        window.devicePixelRatioF());
  QVERIFY2(area.contains(frame), qPrintable(window.objectName()));
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&window) || widget->isWindow()) continue;
    const QRect shown(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    QVERIFY2(window.rect().contains(shown),
             qPrintable(window.objectName() + '.' + widget->objectName()));
  }
}

void clickCentre(const QWidget& form, const char* name) {
  auto* button = control<QAbstractButton>(form, name);
  QVERIFY2(button != nullptr && button->isVisible(), name);
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

bool enabled(const QWidget& form, const char* name) {
  return control<QPushButton>(form, name)->isEnabled();
}

void expectConsoleOnScreen(QWidget& console) { expectWhollyOnScreen(console); }

}  // namespace

class ScreenFitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    study::enterWorkingDirectory(directory_);
    palvane::useJapaneseFont(*qApp);
    qInfo("screen %dx%d, available %dx%d, scale %.2f",
          QGuiApplication::primaryScreen()->geometry().width(),
          QGuiApplication::primaryScreen()->geometry().height(), availableArea().width(),
          availableArea().height(), QGuiApplication::primaryScreen()->devicePixelRatio());
  }

  void everyFormFitsAndAnswersClicks() {
    palvane::Form2& form2 = *palvane::form2();
    QVERIFY(form2.tablesLoaded());
    expectWhollyOnScreen(form2);
    if (QTest::currentTestFailed()) return;
    clickCentre(form2, "Command1");
    QVERIFY(enabled(form2, "Command7"));
    clickCentre(form2, "Command3");
    QVERIFY(!enabled(form2, "Command7"));
    clickCentre(form2, "Command1");
    QVERIFY(enabled(form2, "Command7"));

    const QWidgetList before = QApplication::topLevelWidgets();
    clickCentre(form2, "Command7");
    study::seeEngineThrough(before, QStringLiteral("dornic"), expectConsoleOnScreen);
    if (QTest::currentTestFailed()) return;

    clickCentre(form2, "Command5");
    palvane::Form1& form1 = *palvane::form1();
    QVERIFY(form1.isVisible());
    expectWhollyOnScreen(form1);
    if (QTest::currentTestFailed()) return;
    clickCentre(form1, "Command1");
    QCOMPARE(control<QLabel>(form1, "Label27")->text(), QStringLiteral("%"));
    auto* map = control<palvane::PictureBox>(form1, "Picture2");
    // The reference cell holds exactly 1, beside the yellow mark on the axis.
    QVERIFY((map->colourAt(0, 3) == palvane::Rgb{255, 102, 102}));
    QVERIFY((map->colourAt(0, 0) == palvane::Rgb{255, 255, 0}));

    // A click on the map picks the point under the mouse, to within a pixel of the map.
    const double unitsPerPixel = 309.0 / map->width();
    QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier,
                      map->toPixel(100, 50) / map->devicePixelRatioF());
    const double tolerance = 1 + unitsPerPixel;
    QVERIFY(std::abs(control<QLineEdit>(form1, "Text4")->text().toDouble() - 50) <= tolerance);
    QVERIFY(std::abs(control<QLineEdit>(form1, "Text5")->text().toDouble() - 25) <= tolerance);

    clickCentre(form1, "Command4");
    expectWhollyOnScreen(*palvane::form5());
    expectWhollyOnScreen(*palvane::form3());
    expectWhollyOnScreen(*palvane::form4());
  }

 private:
  QTemporaryDir directory_;
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
