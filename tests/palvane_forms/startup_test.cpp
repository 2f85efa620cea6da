#include <cstdlib>

#include <QApplication>
#include <QTest>

#include "forms_test_support.h"
#include "palvane/forms/program_start.h"

// Starting without the coefficient tables reports the missing file and ends with a failure
// status instead of showing the spectrum form.
class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void missingTablesEndTheProgramWithAFailureStatus() {
    formstest::WorkingDirectory empty(formstest::WorkingDirectory::Tables::kNone);
    QVERIFY(empty.ready());
    formstest::MessageBoxAnswerer answerer;
    QCOMPARE(palvane::runPalvane(*qApp), EXIT_FAILURE);
    QCOMPARE(answerer.boxesSeen(), 1);
    QVERIFY2(answerer.text().contains(QStringLiteral("MUs3.dat")), qPrintable(answerer.text()));
    for (QWidget* window : QApplication::topLevelWidgets()) QVERIFY(!window->isVisible());
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
