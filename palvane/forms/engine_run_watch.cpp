#include "palvane/forms/engine_run_watch.h"

#include <QFileInfo>

#include "palvane/forms/engine_console.h"
#include "palvane/state/results_loading.h"

namespace palvane {

namespace {

constexpr int kCheckIntervalMs = 100;

}  // namespace

EngineRunWatch::EngineRunWatch(const QString& folder, QObject* parent)
    : QObject(parent), folder_(folder) {
  before_ = snapshot();
  clock_.start();
  connect(&timer_, &QTimer::timeout, this, &EngineRunWatch::check);
  timer_.start(kCheckIntervalMs);
}

void EngineRunWatch::follow(EngineConsole* console) {
  if (console == nullptr) {
    timer_.stop();
    return;
  }
  connect(console, &EngineConsole::engineEnded, this, [this] {
    check();
    if (!waiting()) return;
    timer_.stop();
    emit failed();
  });
}

double EngineRunWatch::elapsedSeconds() const { return clock_.elapsed() / 1000.0; }

EngineRunWatch::Snapshot EngineRunWatch::snapshot() const {
  const QFileInfo file(
      QString::fromStdString(findIgnoringCase(folder_.toStdString(), kResultFile).string()));
  if (!file.exists()) return {};
  return {file.lastModified(), file.size()};
}

void EngineRunWatch::check() {
  if (!waiting()) return;
  const Snapshot now = snapshot();
  if (!now.modified.isValid() || now == before_) return;
  timer_.stop();
  emit resultsWritten(elapsedSeconds());
}

}  // namespace palvane
