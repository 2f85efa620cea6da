#include "palvane/forms/engine_console.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "palvane/forms/language.h"
#include "palvane/forms/message_box.h"
#include "palvane/forms/screen_fit.h"
#include "palvane/forms/translated_text.h"

namespace palvane {

namespace {

constexpr int kStartTimeoutMs = 10000;

// The messages of the engines' console dialogue, as they print them between dashes.
constexpr const char* kEngineMessages[] = {
    QT_TRANSLATE_NOOP("palvane", "計算を開始しました"),
    QT_TRANSLATE_NOOP("palvane", "しばらくお待ちください"),
    QT_TRANSLATE_NOOP("palvane", "計算が終了しました"),
    QT_TRANSLATE_NOOP("palvane", "Enter を押して下さい"),
};

void showError(const QString& text) {
  QApplication::beep();
  showWarning(QApplication::activeWindow(), text);
}

// A fixed-pitch font in which a full-width character takes exactly two columns, so that
// the engine's 42-column messages line up as on a console.
QFont consoleFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setFamilies(
      {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"), font.family()});
  return font;
}

bool isEnterKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

QString englishMeaningOf(const QString& engineLine) {
  if (currentLanguage() != Language::kEnglish) return {};
  for (const char* message : kEngineMessages) {
    const QString japanese = QString::fromUtf8(message);
    if (engineLine.contains(japanese))
      return QString(engineLine).replace(japanese, translated(message));
  }
  return {};
}

QString locateEngine(const QString& engineName) {
  const QFileInfo beside(QDir(QCoreApplication::applicationDirPath()).filePath(engineName));
  if (beside.isFile() && beside.isExecutable()) return beside.absoluteFilePath();
  return QStandardPaths::findExecutable(engineName);
}

EngineConsole* EngineConsole::start(const QString& engineName) {
  const QString programPath = locateEngine(engineName);
  if (programPath.isEmpty()) {
    showError(translated(kEngineNotFoundMessage).arg(engineName));
    return nullptr;
  }
  auto* console = new EngineConsole(engineName, programPath);
  if (!console->process_.waitForStarted(kStartTimeoutMs)) {
    const QString reason = console->process_.errorString();
    delete console;
    showError(translated(kEngineNotStartedMessage).arg(engineName, reason));
    return nullptr;
  }
  console->show();
  console->raise();
  console->activateWindow();
  console->output_->setFocus();
  return console;
}

EngineConsole::EngineConsole(const QString& engineName, const QString& programPath)
    : engineName_(engineName), output_(new QPlainTextEdit(this)) {
  setObjectName("EngineConsole");
  setWindowTitle(engineName);
  setAttribute(Qt::WA_DeleteOnClose);

  output_->setObjectName("EngineOutput");
  output_->setReadOnly(true);
  output_->setFont(consoleFont());
  output_->setStyleSheet("QPlainTextEdit { background: black; color: #d0d0d0; }");
  output_->installEventFilter(this);
  setFocusProxy(output_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(output_);
  resize(680, 420);
  fitToScreen(*this);

  // The engine's messages to standard error belong in the same window, in order.
  process_.setProcessChannelMode(QProcess::MergedChannels);
  process_.setWorkingDirectory(QDir::currentPath());
  process_.setProgram(programPath);
  connect(&process_, &QProcess::readyReadStandardOutput, this, &EngineConsole::showEngineOutput);
  connect(&process_, &QProcess::finished, this, &EngineConsole::reportEnd);
  process_.start();
}

bool EngineConsole::engineRunning() const { return process_.state() != QProcess::NotRunning; }

QString EngineConsole::transcript() const { return output_->toPlainText(); }

void EngineConsole::showEngineOutput() {
  // The decoder keeps a multi-byte character that arrives split over two reads.
  appendEngineText(decoder_.decode(process_.readAllStandardOutput()));
}

void EngineConsole::appendEngineText(const QString& text) {
  qsizetype start = 0;
  for (qsizetype end = text.indexOf(QLatin1Char('\n')); end >= 0;
       end = text.indexOf(QLatin1Char('\n'), start)) {
    appendText(text.mid(start, end + 1 - start));
    lineSoFar_ += text.mid(start, end - start);
    const QString meaning = englishMeaningOf(lineSoFar_);
    if (!meaning.isEmpty()) appendText(meaning + QLatin1Char('\n'));
    lineSoFar_.clear();
    start = end + 1;
  }
  appendText(text.mid(start));
  lineSoFar_ += text.mid(start);
}

void EngineConsole::reportEnd(int exitCode, QProcess::ExitStatus exitStatus) {
  showEngineOutput();
  QString endText;
  if (exitStatus == QProcess::CrashExit) {
    endText = translated(kEngineCrashedText).arg(engineName_);
  } else if (exitCode != 0) {
    endText = translated(kEngineFailedText).arg(engineName_).arg(exitCode);
  } else {
    endText = translated(kEngineEndedText).arg(engineName_);
  }
  appendText("\n" + endText + "\n");
  emit engineEnded(exitStatus == QProcess::CrashExit ? -1 : exitCode);
  if (closeWhenEnded_) close();
}

void EngineConsole::pressEnter() {
  if (engineRunning()) {
    process_.write("\n");
    appendText("\n");
  } else {
    close();
  }
}

void EngineConsole::appendText(const QString& text) {
  if (text.isEmpty()) return;
  output_->moveCursor(QTextCursor::End);
  output_->insertPlainText(text);
  output_->ensureCursorVisible();
}

bool EngineConsole::eventFilter(QObject* watched, QEvent* event) {
  if (watched == output_ && isEnterKey(event)) {
    pressEnter();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void EngineConsole::closeEvent(QCloseEvent* event) {
  // The window owns the engine's process: destroying it would kill the engine and lose
  // the run. So while the engine runs, the close box answers its closing question as Enter
  // does, ends its input (it asks nothing more) and only hides the window, which goes once
  // the engine has ended. (Leaving palvane leaves the event loop without closing windows.)
  if (engineRunning()) {
    event->ignore();
    if (!closeWhenEnded_) {
      process_.write("\n");
      process_.closeWriteChannel();
      closeWhenEnded_ = true;
    }
    hide();
    return;
  }
  QWidget::closeEvent(event);
}

void EngineConsole::keepClearOf(const QRect& area) {
  const QScreen* screen = this->screen();
  const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
  const int frameDown = frameGeometry().height() - height();
  const int gap = kFrameAllowanceDown / 4;
  QRect frame = frameGeometry();
  frame.moveLeft(std::max(available.left(), area.left()));
  frame.moveBottom(area.top() - gap);
  if (frame.top() < available.top()) {
    frame.setTop(available.top());
    if (frame.height() < frameDown + kFrameAllowanceDown) frame.setHeight(frameDown + 4 * gap);
  }
  resize(width(), frame.height() - frameDown);
  move(frame.topLeft());
}

}  // namespace palvane
