// The engine's console window with stand-in engines: a program that cannot be found, and
// a script that talks on both output channels, waits for Enter and fails.

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "palvane/forms/engine_console.h"
#include "palvane/forms/language.h"
#include "palvane/forms/translated_text.h"

using palvane::EngineConsole;

class EngineConsoleTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(directory_.isValid());
    // Only the stand-ins are on the search path.
    qputenv("PATH", directory_.path().toLocal8Bit());
  }

  void missingEngineIsNamedInAMessage() {
    QString message;
    QTimer::singleShot(100, this, [&message] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        message = box->text();
        box->accept();
      }
    });
    QCOMPARE(EngineConsole::start(QStringLiteral("no_such_engine")), nullptr);
    QCOMPARE(message, palvane::translated(palvane::kEngineNotFoundMessage).arg("no_such_engine"));
  }

  void consoleShowsBothChannelsAndPassesEnterOn() {
    const QString script = directory_.filePath(QStringLiteral("stand_in_engine"));
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "#!/bin/sh\n"
        "echo '計算を開始しました'\n"
        "echo 'warning on stderr' >&2\n"
        "read answer\n"
        "echo \"answered [$answer]\"\n"
        "exit 3\n");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    QPointer<EngineConsole> console = EngineConsole::start(QStringLiteral("stand_in_engine"));
    QVERIFY(console);
    QCOMPARE(console->windowTitle(), QStringLiteral("stand_in_engine"));
    QSignalSpy ended(console.data(), &EngineConsole::engineEnded);
    QTRY_VERIFY(console->transcript().contains(QStringLiteral("計算を開始しました")));
    QTRY_VERIFY(console->transcript().contains(QStringLiteral("warning on stderr")));
    QVERIFY(console->engineRunning());

    auto* output = console->findChild<QPlainTextEdit*>(QStringLiteral("EngineOutput"));
    QVERIFY(output->isReadOnly());
    QTest::keyClick(output, Qt::Key_Return);
    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), 3);
    QVERIFY(console->transcript().contains(QStringLiteral("answered []")));
    QVERIFY(console->transcript().contains(
        palvane::translated(palvane::kEngineFailedText).arg("stand_in_engine").arg(3)));

    QTest::keyClick(output, Qt::Key_Return);
    QTRY_VERIFY(console.isNull());
  }

  // In English each message is followed by its meaning, also when the engine's line
  // arrives in two pieces; the engine's own text stays as it was.
  void englishConsoleShowsTheMeaningUnderEachMessage() {
    writeScript(QStringLiteral("talking_engine"),
                "#!/bin/sh\n"
                "printf ' --- 計算を開始しました ---\\n --- しばらく'\n"
                "/bin/sleep 0.3\n"
                "printf 'お待ちください ---\\nplain\\n'\n");
    palvane::setLanguage(palvane::Language::kEnglish);
    QPointer<EngineConsole> console = EngineConsole::start(QStringLiteral("talking_engine"));
    QVERIFY(console);
    QTRY_VERIFY(!console->engineRunning());
    palvane::setLanguage(palvane::Language::kJapanese);
    QVERIFY2(console->transcript().startsWith(
                 QStringLiteral(" --- 計算を開始しました ---\n --- Computation started ---\n"
                                " --- しばらくお待ちください ---\n --- Please wait ---\nplain\n")),
             qPrintable(console->transcript()));
    delete console;
  }

 private:
  void writeScript(const QString& name, const char* text) {
    QFile file(directory_.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  }

  QTemporaryDir directory_;
};

QTEST_MAIN(EngineConsoleTest)
#include "engine_console_test.moc"
