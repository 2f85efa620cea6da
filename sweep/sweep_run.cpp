#include "sweep/sweep_run.h"

#include <sys/wait.h>

#include <cerrno>
#include <fstream>
#include <map>

#include "palvane/state/atomic_file.h"
#include "palvane/state/file_error.h"
#include "sweep/engine_process.h"
#include "sweep/parameter_file.h"
#include "sweep/work_directory.h"

namespace sweep {

namespace {

constexpr const char* kErrorFileName = "engine-stderr.txt";
constexpr std::size_t kMaxFailureLength = 2000;

struct RunningEngine {
  std::size_t combination = 0;
  WorkDirectory directory;
};

// The engine's standard error on one line: blank lines dropped, line breaks as "; ", cut
// at a character boundary when it runs long.
std::string engineMessage(const std::filesystem::path& errorFile) {
  std::ifstream file(errorFile, std::ios::binary);
  std::string message;
  std::string line;
  while (std::getline(file, line) && message.size() < kMaxFailureLength) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (!message.empty()) message += "; ";
    message += line;
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
  running.emplace(pid, RunningEngine{index, std::move(directory)});
}

CombinationOutcome finishCombination(const RunningEngine& engine, int waitStatus) {
  CombinationOutcome outcome;
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
    if (running.empty()) continue;
    int waitStatus = 0;
    const pid_t pid = waitpid(-1, &waitStatus, 0);
    if (pid < 0) {
      if (errno == EINTR) continue;
      // No child left to wait for although some are listed: none of them can report.
      for (auto& [lostPid, engine] : running) {
        record(engine.combination, {false, {}, "lost track of the engine process"});
      }
      running.clear();
      continue;
    }
    const auto found = running.find(pid);
    if (found == running.end()) continue;  // a child this sweep did not start
    record(found->second.combination, finishCombination(found->second, waitStatus));
    running.erase(found);
  }
  return outcomes;
}

}  // namespace sweep
