#pragma once

#include <chrono>
#include <csignal>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "sweep/result_file.h"
#include "sweep/sweep_settings.h"

namespace sweep {

inline constexpr std::chrono::seconds kDefaultEngineTimeLimit{60};

struct EnginePrograms {
  std::filesystem::path molybdenum;  // dornic
  std::filesystem::path tungsten;    // vessick
};

// What one combination gave: its summary, or why there is none.
struct CombinationOutcome {
  bool ok = false;
  ResultSummary summary;
  std::string failure;  // the engine's error message or what went wrong around it
};

// Called after each finished combination with the counts so far.
using ProgressReport = std::function<void(std::size_t finished, std::size_t failed)>;

struct SweepJob {
  std::vector<Settings> combinations;
  std::filesystem::path tablesDirectory;  // holds MUs3.dat and Mo-STP.dat
  EnginePrograms engines;
  int parallelRuns = 2;
  ProgressReport progress;
  // An engine still running after this long is stopped and its combination fails.
  std::chrono::milliseconds engineTimeLimit = kDefaultEngineTimeLimit;
  // Set (by a signal handler) to stop the sweep: running engines are stopped, their
  // folders removed, and runSweep throws SweepInterrupted.
  const volatile std::sig_atomic_t* interrupted = nullptr;
};

// Thrown by runSweep when it was interrupted; says how far it got.
struct SweepInterrupted {
  std::size_t finished = 0;
  std::size_t total = 0;
};

// Runs the engine of each combination in a private working directory holding copies of the
// tables and its B2F.dat, at most parallelRuns at a time, and returns the outcomes in the
// order of the combinations. A failing combination does not stop the others; an engine
// that outlives the time limit is stopped and its combination fails. It waits for
// any child of the process, so nothing else may start children while it runs.
std::vector<CombinationOutcome> runSweep(const SweepJob& job);

}  // namespace sweep
