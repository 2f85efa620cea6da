#include "study_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include "palvane/forms/engine_console.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/translated_text.h"
#include "test_paths.h"

namespace study {

namespace {
constexpr int kEngineTimeoutMs = 240000;
}

void enterWorkingDirectory(const QTemporaryDir& directory) {
  QVERIFY(directory.isValid());
  const QDir data(QString::fromUtf8(testpaths::kDataDir));
  for (const char* table : {"MUs3.dat", "Mo-STP.dat", "Materials.dat"}) {
    QVERIFY(QFile::copy(data.filePath(table), directory.filePath(table)));
  }
  QVERIFY(QDir::setCurrent(directory.path()));
}

void click(const QWidget& form, const char* name) {
  auto* button = control<QAbstractButton>(form, name);
  QVERIFY2(button != nullptr, name);
  const QPoint position(qMin(10, button->width() / 2), button->height() / 2);
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, position);
}

void runEngine(const QString& engineName, void (*beforeAnswer)(QWidget& console)) {
  QVERIFY2(!palvane::locateEngine(engineName).isEmpty(), "the engine has not been built");
  const QWidgetList before = QApplication::topLevelWidgets();
  click(*palvane::form2(), "Command7");
  seeEngineThrough(before, engineName, beforeAnswer);
}

void seeEngineThrough(const QWidgetList& before, const QString& engineName,
                      void (*beforeAnswer)(QWidget& console)) {
  QVERIFY(QFile::exists(QStringLiteral("B2F.dat")));
  QPointer<palvane::EngineConsole> console;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!before.contains(window)) console = qobject_cast<palvane::EngineConsole*>(window);
  }
  QVERIFY2(console, "no console window for the engine");
  QCOMPARE(console->windowTitle(), engineName);

  auto* output = console->findChild<QPlainTextEdit*>(QStringLiteral("EngineOutput"));
  QTRY_VERIFY_WITH_TIMEOUT(console->transcript().contains(QStringLiteral("Enter を押して下さい")),
                           kEngineTimeoutMs);
  if (beforeAnswer != nullptr) beforeAnswer(*console);
  QTest::keyClick(output, Qt::Key_Return);
  QTRY_VERIFY_WITH_TIMEOUT(!console->engineRunning(), kEngineTimeoutMs);
  QVERIFY(console->transcript().contains(QStringLiteral("Stop - Program terminated.")));
  QVERIFY(console->transcript().contains(
      palvane::translated(palvane::kEngineEndedText).arg(engineName)));
  // Enter after the end closes the window.
  QTest::keyClick(output, Qt::Key_Return);
  QTRY_VERIFY(console.isNull());
}

}  // namespace study
