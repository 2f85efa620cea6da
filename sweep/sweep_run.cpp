#include "sweep/sweep_run.h"

#include <sys/wait.h>

#include <csignal>
#include <thread>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <map>

#include "sweep/engine_process.h"
#include "sweep/parameter_file.h"
#include "sweep/printable_text.h"
#include "sweep/work_directory.h"
#include "text_files/atomic_file.h"
#include "text_files/file_error.h"

namespace sweep {

namespace {

constexpr const char* kErrorFileName = "engine-stderr.txt";
constexpr std::size_t kMaxFailureLength = 2000;

constexpr std::chrono::milliseconds kPollInterval{5};

struct RunningEngine {
  std::size_t combination = 0;
  WorkDirectory directory;
  std::chrono::steady_clock::time_point deadline;
  bool stoppedForTime = false;
};

std::string timeLimitText(std::chrono::milliseconds limit) {
  const auto seconds = limit.count() / 1000.0;
  std::string text = std::to_string(seconds);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text + " s";
}

void stopEngine(pid_t pid) { ::kill(-pid, SIGKILL); }

// The engine's standard error as valid UTF-8 on one line: blank lines dropped, line breaks
// as "; ", other control characters and invalid bytes replaced, cut at a character
// boundary when it runs long.
std::string engineMessage(const std::filesystem::path& errorFile) {
  std::ifstream file(errorFile, std::ios::binary);
  std::string message;
  std::string line;
  while (std::getline(file, line) && message.size() < kMaxFailureLength) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (!message.empty()) message += "; ";
    message += printableText(line);
  }
  if (message.size() > kMaxFailureLength) {
    std::size_t end = kMaxFailureLength;
    while (end > 0 && (static_cast<unsigned char>(message[end]) & 0xC0) == 0x80) --end;
    message.resize(end);
  }
  return message;
}

// Prepares the working directory of one combination and starts its engine.
void startCombination(const SweepJob& job, const Settings& settings,
                      std::map<pid_t, RunningEngine>& running, std::size_t index) {
  WorkDirectory directory;
  const auto copy = std::filesystem::copy_options::overwrite_existing;
  std::filesystem::copy_file(job.tablesDirectory / "MUs3.dat", directory.path() / "MUs3.dat", copy);
  const bool molybdenum = settings.target == Target::kMolybdenum;
  if (molybdenum) {
    std::filesystem::copy_file(job.tablesDirectory / "Mo-STP.dat", directory.path() / "Mo-STP.dat",
                               copy);
  }
  palvane::replaceFileContents(directory.path() / "B2F.dat", parameterFileText(settings));
  const pid_t pid = startEngine(molybdenum ? job.engines.molybdenum : job.engines.tungsten,
                                directory.path(), directory.path() / kErrorFileName);
  running.emplace(pid, RunningEngine{index, std::move(directory),
                                     std::chrono::steady_clock::now() + job.engineTimeLimit});
}

CombinationOutcome finishCombination(const SweepJob& job, const RunningEngine& engine,
                                     int waitStatus) {
  CombinationOutcome outcome;
  if (engine.stoppedForTime) {
    outcome.failure = "engine stopped: still running after the time limit of " +
                      timeLimitText(job.engineTimeLimit);
    return outcome;
  }
  const std::filesystem::path& directory = engine.directory.path();
  if (!WIFEXITED(waitStatus) || WEXITSTATUS(waitStatus) != 0) {
    const std::string message = engineMessage(directory / kErrorFileName);
    outcome.failure = message.empty() ? "engine " + describeWaitStatus(waitStatus) : message;
    return outcome;
  }
  try {
    outcome.summary = readResultFile(directory / "Result.dat");
    outcome.ok = true;
  } catch (const palvane::FileError& error) {
    outcome.failure = error.what();
  }
  return outcome;
}

}  // namespace

std::vector<CombinationOutcome> runSweep(const SweepJob& job) {
  std::vector<CombinationOutcome> outcomes(job.combinations.size());
  std::map<pid_t, RunningEngine> running;
  std::size_t next = 0;
  std::size_t finished = 0;
  std::size_t failed = 0;
  const auto record = [&](std::size_t index, CombinationOutcome outcome) {
    if (!outcome.ok) ++failed;
    outcomes[index] = std::move(outcome);
    ++finished;
    if (job.progress) job.progress(finished, failed);
  };
  const std::size_t parallelRuns = job.parallelRuns > 0 ? job.parallelRuns : 1;
  while (finished < outcomes.size()) {
    while (running.size() < parallelRuns && next < outcomes.size()) {
      const std::size_t index = next++;
      try {
        startCombination(job, job.combinations[index], running, index);
      } catch (const std::exception& error) {
        record(index, {false, {}, error.what()});
      }
    }
    if (job.interrupted != nullptr && *job.interrupted != 0) {
      for (const auto& [pid, engine] : running) stopEngine(pid);
      for (const auto& [pid, engine] : running) waitpid(pid, nullptr, 0);
      running.clear();  // removes their folders
      throw SweepInterrupted{finished, outcomes.size()};
    }
    if (running.empty()) continue;
    int waitStatus = 0;
    const pid_t pid = waitpid(-1, &waitStatus, WNOHANG);
    if (pid == 0 || (pid < 0 && errno == EINTR)) {
      const auto now = std::chrono::steady_clock::now();
      for (auto& [runningPid, engine] : running) {
        if (!engine.stoppedForTime && now >= engine.deadline) {
          stopEngine(runningPid);
          engine.stoppedForTime = true;
        }
      }
      std::this_thread::sleep_for(kPollInterval);
      continue;
    }
    if (pid < 0) {
      // No child left to wait for although some are listed: none of them can report.
      for (auto& [lostPid, engine] : running) {
        record(engine.combination, {false, {}, "lost track of the engine process"});
      }
      running.clear();
      continue;
    }
    const auto found = running.find(pid);
    if (found == running.end()) continue;  // a child this sweep did not start
    record(found->second.combination, finishCombination(job, found->second, waitStatus));
    running.erase(found);
  }
  return outcomes;
}

}  // namespace sweep
