#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

#include "sweep/combination_run.h"
#include "sweep/sweep_settings.h"

namespace sweep {

// Called after each finished combination with the counts so far.
using ProgressReport = std::function<void(std::size_t finished, std::size_t failed)>;

// Computes one combination; called from several threads at once.
using CombinationRunner = std::function<CombinationOutcome(const Settings&)>;

struct SweepJob {
  std::vector<Settings> combinations;
  CombinationRunner run;
  int parallelRuns = 2;  // threads computing at the same time
  ProgressReport progress;
  // Set (by a signal handler) to stop the sweep: no further combination is started, those
  // being computed are finished, and runSweep throws SweepInterrupted.
  const std::atomic<int>* interrupted = nullptr;
};

// Thrown by runSweep when it was interrupted; says how far it got.
struct SweepInterrupted {
  std::size_t finished = 0;
  std::size_t total = 0;
};

// Computes every combination with job.run on at most parallelRuns threads and returns the
// outcomes in the order of the combinations. A failing combination (also one whose runner
// throws) does not stop the others. Progress is reported from one thread at a time.
std::vector<CombinationOutcome> runSweep(const SweepJob& job);

}  // namespace sweep
