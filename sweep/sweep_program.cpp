#include "sweep/sweep_program.h"

#include <signal.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "calibration/profile_file.h"
#include "engine/version_option.h"
#include "sweep/aluminium_fit.h"
#include "sweep/combination_run.h"
#include "sweep/command_line.h"
#include "sweep/layer_lists.h"
#include "sweep/printable_text.h"
#include "sweep/row_calibration.h"
#include "sweep/sweep_run.h"
#include "sweep/sweep_table.h"
#include "text_files/atomic_file.h"
#include "text_files/csv_writer.h"

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

// Runs the combinations whose fits succeeded (all, without fits); a combination whose fit
// failed gets the fit's message as its failure.
std::vector<CombinationOutcome> runFittedSweep(const SweepJob& job,
                                               const RowCalibrations& calibrations) {
  std::vector<std::string> failures(job.combinations.size());
  for (std::size_t i = 0; i < failures.size(); ++i) {
    if (i < calibrations.fits.size() && !calibrations.fits[i].fit) {
      failures[i] = calibrations.fits[i].failure;
    }
    if (i < calibrations.heels.size() && !calibrations.heels[i].fit) {
      failures[i] = calibrations.heels[i].failure;
    }
  }
  SweepJob fitted = job;
  fitted.combinations.clear();
  for (std::size_t i = 0; i < job.combinations.size(); ++i) {
    if (failures[i].empty()) fitted.combinations.push_back(job.combinations[i]);
  }
  std::vector<CombinationOutcome> ran = runSweep(fitted);
  std::vector<CombinationOutcome> outcomes;
  std::size_t next = 0;
  for (const std::string& failure : failures) {
    outcomes.push_back(failure.empty() ? std::move(ran[next++])
                                       : CombinationOutcome{false, {}, failure});
  }
  return outcomes;
}

std::string utcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", &utc);
  return text;
}

// An argument as a shell would need it to give it back: quoted when it holds anything but
// plain characters.
std::string shellWord(const std::string& argument) {
  if (!argument.empty() &&
      argument.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                 "0123456789-_.,:@=/+%") == std::string::npos) {
    return argument;
  }
  std::string quoted = "'";
  for (const char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string calibrationLine(const CommandLine& commandLine,
                            const std::optional<calibration::TubeProfile>& profile) {
  if (profile) {
    std::string line = "calibration: profile " + commandLine.calibrationFile->string();
    if (!profile->name.empty()) line += " (\"" + profile->name + "\")";
    line += ", " + std::string(calibration::targetMetal(profile->target)) + " target, fits for";
    for (const calibration::FilterCalibration& fit : profile->filters) {
      if (fit.aluminium) {
        line += ' ';
        line += calibration::setupName(profile->target, fit.filters);
      }
    }
    if (const auto& output = profile->output) {
      line += "; output " + csv::number(output->output.kermaPerLoad) + " uGy/mAs at " +
              csv::number(output->output.distance) + " cm measured at " +
              csv::number(output->setup.tubeVoltage) + " kV (" +
              calibration::setupName(output->setup.target, calibration::filtersOf(output->setup)) +
              ")" + (output->date.empty() ? "" : " on " + output->date);
    }
    return line;
  }
  std::string line;
  if (!commandLine.fitPairs.empty()) {
    line += "aluminium fitted to the measured HVLs of --fit-hvl";
  }
  if (!commandLine.heelPoints.empty()) {
    line += (line.empty() ? "" : "; ") +
            std::string(
                "target angle fitted to the measured heel of --fit-heel (an effective "
                "angle: it makes the model's heel match, not a measured anode angle)");
  }
  if (const auto& measured = commandLine.measuredOutput) {
    line += (line.empty() ? "" : "; ") + std::string("output ") +
            csv::number(measured->output.kermaPerLoad) + " uGy/mAs at " +
            csv::number(measured->output.distance) + " cm measured at " +
            csv::number(measured->tubeVoltage) + " kV with each row's other settings";
  }
  return "calibration: " + (line.empty() ? std::string("none (uncalibrated model)") : line);
}

std::vector<std::string> provenanceLines(const std::vector<std::string>& arguments,
                                         const CommandLine& commandLine,
                                         const std::optional<calibration::TubeProfile>& profile) {
  std::string version = engine::versionLine("sweep");
  while (!version.empty() && (version.back() == '\n' || version.back() == '\r')) version.pop_back();
  std::string command = "sweep";
  for (const std::string& argument : arguments) {
    command += ' ';
    command += shellWord(argument);
  }
  std::error_code ignored;
  const std::filesystem::path tables =
      std::filesystem::absolute(commandLine.tablesDirectory, ignored);
  return {version,
          "date: " + utcNow(),
          printableText("tables: " + tables.string()),
          printableText("command line: " + command),
          printableText(calibrationLine(commandLine, profile)),
          "energy_fluence and air_kerma are in table units of each target's engine: compare "
          "them between rows of one target only, never between targets"};
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
    std::optional<calibration::TubeProfile> profile;
    if (commandLine.calibrationFile) {
      profile = calibration::readProfileFile(*commandLine.calibrationFile);
      if (profile->format < 2) {
        throw std::runtime_error(commandLine.calibrationFile->string() + ": " +
                                 std::string(kFormatOneUnserved));
      }
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
    RowCalibrations calibrations;
    try {
      if (profile) {
        calibrations = applyProfileAluminium(job.combinations, *profile);
      } else if (!commandLine.heelPoints.empty()) {
        calibrations.heels = fitHeel(job.combinations, job, commandLine.heelPoints,
                                     commandLine.fitPairs, calibrations.fits);
      } else if (!commandLine.fitPairs.empty()) {
        calibrations.fits = fitAluminium(job.combinations, job, commandLine.fitPairs);
      }
      outcomes = runFittedSweep(job, calibrations);
      if (profile && profile->output) {
        scaleOutput(calibrations, job.combinations, outcomes, job, profile->output->output,
                    measuredAtProfileOutput(*profile->output));
      } else if (const auto& measured = commandLine.measuredOutput) {
        scaleOutput(calibrations, job.combinations, outcomes, job, measured->output,
                    [&](const Settings& row) -> OutputSettings {
                      Settings at = row;
                      at.tubeVoltage = measured->tubeVoltage;
                      return {at, ""};
                    });
      }
    } catch (const SweepInterrupted& interruption) {
      err << "sweep: interrupted after " << interruption.finished << " of " << interruption.total
          << " combinations\n";
      return 128 + interruptingSignal;
    }
    const std::string table = sweepTable(job.combinations, outcomes, calibrations,
                                         provenanceLines(arguments, commandLine, profile));
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
