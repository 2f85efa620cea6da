#pragma once

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringDecoder>
#include <QWidget>

#include "palvane/forms/messages.h"

class QPlainTextEdit;

namespace palvane {

// Messages of the console, shared with the tests, shown through translated(); %1 is the
// engine's name, %2 its exit status.
inline constexpr char kEngineEndedText[] = QT_TRANSLATE_NOOP(
    "palvane", "--- %1 が終了しました。Enter を押すとこのウィンドウを閉じます。 ---");
inline constexpr char kEngineFailedText[] =
    QT_TRANSLATE_NOOP("palvane",
                      "--- %1 が終了状態 %2 で停止しました。Enter を押すとこのウィンドウを閉じ"
                      "ます。 ---");
inline constexpr char kEngineCrashedText[] = QT_TRANSLATE_NOOP(
    "palvane", "--- %1 が異常終了しました。Enter を押すとこのウィンドウを閉じます。 ---");

// In English, the English meaning of a line of the engine's console dialogue: the line
// with its Japanese message put into English. Empty for any other line, and in Japanese.
QString englishMeaningOf(const QString& engineLine);

// Full path of an engine program: beside palvane's own executable first, then on the
// search path. Empty when it is found in neither place.
QString locateEngine(const QString& engineName);

// The window of one engine run: it owns the engine's process, shows everything the
// engine writes (standard output and standard error, UTF-8) as it comes, in English with
// the meaning of each of the engine's messages on the line below it, and passes the
// Enter key on to the engine's input. It stays open until the engine has ended; then
// Enter or the close box closes it. The close box of a window whose engine still runs
// answers the engine's closing question as Enter would and closes the window at once; the
// engine finishes its run unseen. palvane never waits for the engine.
class EngineConsole : public QWidget {
  Q_OBJECT

 public:
  // Starts the engine in the current working directory in a new console window, which
  // gets the focus. When the program cannot be found or started, says so in a message
  // box and returns null.
  static EngineConsole* start(const QString& engineName);
  // Moves the window so that it leaves the rectangle (global coordinates, such as the
  // buttons of the form that started the engine) uncovered, above it where the screen
  // has room, and shortens it where it has not.
  void keepClearOf(const QRect& area);

  bool engineRunning() const;
  // Everything shown in the window so far.
  QString transcript() const;

 signals:
  void engineEnded(int exitStatus);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  EngineConsole(const QString& engineName, const QString& programPath);
  void showEngineOutput();
  void reportEnd(int exitCode, QProcess::ExitStatus exitStatus);
  void pressEnter();
  void appendText(const QString& text);
  // Shows text of the engine, each of its completed lines followed by its meaning.
  void appendEngineText(const QString& text);

  QString engineName_;
  QProcess process_;
  QStringDecoder decoder_{QStringDecoder::Utf8};
  QPlainTextEdit* output_ = nullptr;
  QString lineSoFar_;            // the engine's line not yet ended
  bool closeWhenEnded_ = false;  // the close box was used while the engine ran
};

}  // namespace palvane
