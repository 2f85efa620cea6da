// The spectrum form's status: the engine run followed to the moment its results are
// written, the graph marked when the settings have changed since it was drawn, and notes
// on what a button did to the settings or where a save went.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "palvane/forms/engine_console.h"
#include "palvane/forms/engine_run_watch.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/run_texts.h"
#include "palvane/forms/translated_text.h"
#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/results_loading.h"
#include "palvane/state/shared_state.h"
#include "text_files/parameter_file.h"

namespace palvane {

void Form2::startEngineRun(const QString& engineName) {
  // One console at a time: those of earlier runs close (an engine still waiting for Enter
  // gets it; one still computing finishes unseen).
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* earlier = qobject_cast<EngineConsole*>(window)) earlier->close();
  }
  delete runWatch_;
  runWatch_ = new EngineRunWatch(QDir::currentPath(), this);
  runDescription_ = runDescription(tubeSetupOf(state().TargetType, *this));
  connect(runWatch_, &EngineRunWatch::resultsWritten, this, [this](double seconds) {
    runSeconds_ = seconds;
    runStatusSource_ = kRunFinishedText;
    showStatus();
  });
  connect(runWatch_, &EngineRunWatch::failed, this, [this] {
    runStatusSource_ = kRunFailedText;
    showStatus();
  });
  runStatusSource_ = kRunStartedText;
  showStatus();
  EngineConsole* console = EngineConsole::start(engineName);
  runWatch_->follow(console);
  if (console == nullptr) {
    runStatusSource_ = nullptr;
    showStatus();
    return;
  }
  // The console opens above the buttons of the form, not over them.
  QRect buttons = Command3_->geometry().united(SaveButton_->geometry());
  buttons.moveTopLeft(mapToGlobal(buttons.topLeft()));
  console->keepClearOf(buttons);
}

QString Form2::resultsNotReadyMessage() const {
  if (runWatch_ != nullptr && runWatch_->waiting()) {
    return translated(kResultsNotWrittenYetMessage).arg(runDescription_);
  }
  const QFileInfo results(QString::fromStdString(findIgnoringCase(".", kResultFile).string()));
  if (!results.exists()) return translated(kNoResultsYetMessage).arg(QStringLiteral("Result.dat"));
  // Results older than the settings last handed to an engine belong to other settings
  // than those B2F.dat would show with them.
  const QFileInfo settings(QString::fromLatin1(kParameterFile));
  if (settings.exists() && settings.lastModified() > results.lastModified()) {
    return translated(kResultsOlderThanSettingsMessage)
        .arg(QStringLiteral("Result.dat"), QString::fromLatin1(kParameterFile));
  }
  return {};
}

void Form2::showStatus() {
  QString run;
  if (runStatusSource_ == kRunFinishedText) {
    run = translated(kRunFinishedText).arg(runDescription_, formatted(runSeconds_, "0.0"));
  } else if (runStatusSource_ != nullptr) {
    run = translated(runStatusSource_).arg(runDescription_);
  }
  RunStatusLabel_->setText(run);
  NoteLabel_->setText(noteSource_ != nullptr ? translated(noteSource_).arg(noteArgument_)
                                             : QString());
  StaleMark_->setText(translated(kSpectrumStaleText));
}

void Form2::showNote(const char* source, const QString& argument) {
  noteSource_ = source;
  noteArgument_ = argument;
  showStatus();
}

QString Form2::runStatus() const { return RunStatusLabel_->text(); }
QString Form2::note() const { return NoteLabel_->text(); }
bool Form2::spectrumMarkedStale() const { return StaleMark_->isVisibleTo(this); }

void Form2::markStaleSpectrum() {
  const bool stale = drawnSettings_.has_value() && !showsDrawnSettings();
  StaleMark_->setVisible(stale);
  BeamQualityLabel_->setEnabled(!stale);
}

}  // namespace palvane
