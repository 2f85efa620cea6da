#include "sweep/sweep_program.h"

#include <signal.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <optional>
#include <stdexcept>

#include "engine/version_option.h"
#include "sweep/aluminium_fit.h"
#include "sweep/combination_run.h"
#include "sweep/command_line.h"
#include "sweep/layer_lists.h"
#include "sweep/sweep_run.h"
#include "sweep/sweep_table.h"
#include "text_files/atomic_file.h"

namespace sweep {

namespace {

bool wants(const CommandLine& commandLine, Target target) {
  for (Target wanted : commandLine.request.targets) {
    if (wanted == target) return true;
  }
  return false;
}

// Reports progress at most once a second, and always the last count.
ProgressReport progressPrinter(std::size_t total, std::ostream& err) {
  using Clock = std::chrono::steady_clock;
  return [total, &err, last = Clock::now()](std::size_t finished, std::size_t failed) mutable {
    if (finished < total && Clock::now() - last < std::chrono::seconds(1)) return;
    last = Clock::now();
    err << finished << "/" << total << " combinations done";
    if (failed > 0) err << ", " << failed << " failed";
    err << "\n" << std::flush;
  };
}

std::atomic<int> interruptingSignal = 0;
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

void noteInterruption(int signal) { interruptingSignal = signal; }

// Catches SIGINT and SIGTERM while it lives, so that the sweep can clean up and stop.
class InterruptionCatcher {
 public:
  InterruptionCatcher() {
    interruptingSignal = 0;
    struct sigaction action {};
    action.sa_handler = noteInterruption;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInterrupt_);
    sigaction(SIGTERM, &action, &previousTerminate_);
  }
  ~InterruptionCatcher() {
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    sigaction(SIGTERM, &previousTerminate_, nullptr);
  }
  InterruptionCatcher(const InterruptionCatcher&) = delete;
  InterruptionCatcher& operator=(const InterruptionCatcher&) = delete;

 private:
  struct sigaction previousInterrupt_ {};
  struct sigaction previousTerminate_ {};
};

// Runs the combinations whose aluminium could be fitted (all, without fits); a combination
// whose fit failed gets the fit's message as its failure.
std::vector<CombinationOutcome> runFittedSweep(const SweepJob& job,
                                               const std::vector<AluminiumFit>& fits) {
  if (fits.empty()) return runSweep(job);
  SweepJob fitted = job;
  fitted.combinations.clear();
  for (std::size_t i = 0; i < job.combinations.size(); ++i) {
    if (fits[i].fit) fitted.combinations.push_back(job.combinations[i]);
  }
  std::vector<CombinationOutcome> ran = runSweep(fitted);
  std::vector<CombinationOutcome> outcomes;
  std::size_t next = 0;
  for (const AluminiumFit& fit : fits) {
    outcomes.push_back(fit.fit ? std::move(ran[next++])
                               : CombinationOutcome{false, {}, fit.failure});
  }
  return outcomes;
}

}  // namespace

int runSweepProgram(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err) {
  try {
    const CommandLine commandLine = parseCommandLine(arguments);
    if (commandLine.helpRequested) {
      out << helpText();
      return kExitAllOk;
    }
    if (commandLine.versionRequested) {
      out << engine::versionLine("sweep");
      return kExitAllOk;
    }
    const EngineTables tables =
        readEngineTables(commandLine.tablesDirectory, wants(commandLine, Target::kMolybdenum));
    if (hasAddedLayers(commandLine.request)) {
      try {
        checkMaterials(commandLine.request.addedFilters, commandLine.request.plates,
                       tables.model.materials());
      } catch (const tube_model::ModelError& error) {
        throw std::runtime_error(std::string(error.what()) + " in " +
                                 commandLine.tablesDirectory.string());
      }
    }
    SweepJob job;
    job.combinations = expandCombinations(commandLine.request);
    job.run = [&tables](const Settings& settings) { return runCombination(tables, settings); };
    job.parallelRuns = commandLine.parallelRuns;
    // Opened before the first run, so that an output that cannot be created stops the sweep
    // before any work is done.
    std::optional<palvane::ReplacementFile> outputFile;
    if (commandLine.output) outputFile.emplace(*commandLine.output);
    job.progress = progressPrinter(job.combinations.size(), err);
    const InterruptionCatcher catcher;
    job.interrupted = &interruptingSignal;
    std::vector<CombinationOutcome> outcomes;
    std::vector<AluminiumFit> fits;
    try {
      if (!commandLine.fitPairs.empty()) {
        fits = fitAluminium(job.combinations, job, commandLine.fitPairs);
      }
      outcomes = runFittedSweep(job, fits);
    } catch (const SweepInterrupted& interruption) {
      err << "sweep: interrupted after " << interruption.finished << " of " << interruption.total
          << " combinations\n";
      return 128 + interruptingSignal;
    }
    const std::string table =
        sweepTable(job.combinations, outcomes, fits, commandLine.measuredOutput);
    if (outputFile) {
      outputFile->commit(table);
    } else if (!(out << table << std::flush)) {
      throw std::runtime_error(kStandardOutputFailed);
    }
    std::size_t failed = 0;
    for (const CombinationOutcome& outcome : outcomes) failed += outcome.ok ? 0 : 1;
    if (failed == 0) return kExitAllOk;
    err << "sweep: " << failed << " of " << outcomes.size()
        << " combinations failed (see the status column)\n";
    return kExitSomeFailed;
  } catch (const std::exception& error) {
    err << "sweep: " << error.what() << "\n";
  }
  return kExitUnusable;
}

}  // namespace sweep
