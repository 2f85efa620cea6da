#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

// Steps of a study shared by the whole-program tests. Failures are reported through
// Qt Test; callers stop when QTest::currentTestFailed().
namespace study {

// Copies the shipped tables into the directory and makes it the working directory.
void enterWorkingDirectory(const QTemporaryDir& directory);

template <typename Control>
Control* control(const QWidget& form, const char* name) {
  return form.findChild<Control*>(QString::fromLatin1(name));
}

inline QString text(const QWidget& form, const char* name) {
  return control<QLineEdit>(form, name)->text();
}

// Clicks a button near its left end, where an option button has its circle.
void click(const QWidget& form, const char* name);

// Presses the engine button of the spectrum form, waits in the engine's console window for
// its closing question, answers it with Enter, and closes the window with Enter once the
// engine has ended. beforeAnswer runs while the engine waits.
void runEngine(const QString& engineName, void (*beforeAnswer)(QWidget& console) = nullptr);
// The same once the engine button has been pressed: `before` are the windows that were
// open before the press.
void seeEngineThrough(const QWidgetList& before, const QString& engineName,
                      void (*beforeAnswer)(QWidget& console) = nullptr);

}  // namespace study
