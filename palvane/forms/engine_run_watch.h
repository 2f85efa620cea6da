#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

namespace palvane {

class EngineConsole;

// Watches one engine run for the moment its results are on disk: the engine writes
// Result.dat last, by renaming a complete file into place, and only then prints its
// closing message and waits for Enter. The watch compares the file with what it was when
// the run started, a few times a second, so the end is noticed within a second whether
// or not anybody answers the engine.
class EngineRunWatch : public QObject {
  Q_OBJECT

 public:
  // Call just before the engine starts, in the folder it works in.
  explicit EngineRunWatch(const QString& folder, QObject* parent = nullptr);

  // The engine's console window: when the engine ends without having written its results,
  // failed() is emitted.
  void follow(EngineConsole* console);

  bool waiting() const { return timer_.isActive(); }
  // Seconds since the start.
  double elapsedSeconds() const;

 signals:
  void resultsWritten(double seconds);
  void failed();

 private:
  // Result.dat's time stamp and size, or an invalid time when there is none.
  struct Snapshot {
    QDateTime modified;
    qint64 size = -1;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
  };
  Snapshot snapshot() const;
  void check();

  QString folder_;
  Snapshot before_;
  QElapsedTimer clock_;
  QTimer timer_;
};

}  // namespace palvane
