#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "sweep/result_file.h"
#include "sweep/sweep_settings.h"

namespace sweep {

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
};

// Runs the engine of each combination in a private working directory holding copies of the
// tables and its B2F.dat, at most parallelRuns at a time, and returns the outcomes in the
// order of the combinations. A failing combination does not stop the others. It waits for
// any child of the process, so nothing else may start children while it runs.
std::vector<CombinationOutcome> runSweep(const SweepJob& job);

}  // namespace sweep
