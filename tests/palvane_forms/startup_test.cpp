#include <cstdlib>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
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

  // A coefficient table cut inside a line, or one without line feeds, is refused with the
  // file and the first missing line named. The spectrum form loads the tables once in a
  // process, so each case starts this program again for the function below.
  void damagedTablesAreNamedWithTheirLine() {
    for (const char* damage : {"cut", "joined"}) {
      QProcess child;
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.insert(QStringLiteral("PALVANE_TEST_DAMAGE"), QString::fromLatin1(damage));
      child.setProcessEnvironment(environment);
      child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("startWithDamage")});
      QVERIFY(child.waitForFinished(120000));
      QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
               child.readAllStandardOutput().constData());
    }
  }

  void startWithDamage() {
    const QByteArray damage = qgetenv("PALVANE_TEST_DAMAGE");
    if (damage.isEmpty()) QSKIP("started by damagedTablesAreNamedWithTheirLine");
    formstest::WorkingDirectory directory;
    QVERIFY(directory.ready());
    QFile table(directory.filePath(QStringLiteral("MUs3.dat")));
    QVERIFY(table.open(QIODevice::ReadOnly));
    QByteArray text = table.readAll();
    table.close();
    // 125 whole lines and a part of line 126; or every line feed taken out.
    text = damage == "cut" ? text.left(16050) : text.replace('\n', QByteArray());
    QVERIFY(table.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(table.write(text), text.size());
    table.close();
    formstest::MessageBoxAnswerer answerer;
    QCOMPARE(palvane::runPalvane(*qApp), EXIT_FAILURE);
    const QString line = damage == "cut" ? QStringLiteral("line 127") : QStringLiteral("line 2");
    QVERIFY2(
        answerer.text().contains(QStringLiteral("MUs3.dat, ") + line + QStringLiteral(": missing")),
        qPrintable(answerer.text()));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
