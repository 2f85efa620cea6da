// The molybdenum engine as a process: killed while it writes, or with its console gone.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "dornic/run_directory.h"
#include "test_paths.h"

namespace {

using testrun::RunDirectory;
using testrun::settingsText;

const std::vector<std::string> kFilesOfARun = {"B2F.dat", "Beam_Axis.dat", "MUs3.dat", "Mo-STP.dat",
                                               "Result.dat"};

// Starts dornic in `directory` with input from /dev/null and output to `outputFd`.
// `prepareChild` runs in the child just before the program.
pid_t startDornic(
    const RunDirectory& directory, int outputFd,
    const std::function<void()>& prepareChild = [] {}) {
  const pid_t child = ::fork();
  if (child != 0) return child;
  // The engine must cope with a broken pipe on its own, whatever its parent ignores.
  ::signal(SIGPIPE, SIG_DFL);
  const int input = ::open("/dev/null", O_RDONLY);
  if (input < 0 || ::dup2(input, 0) < 0 || ::dup2(outputFd, 1) < 0 ||
      ::chdir(directory.path().c_str()) != 0) {
    ::_exit(127);
  }
  prepareChild();
  ::execl(testpaths::kDornic, "dornic", static_cast<char*>(nullptr));
  ::_exit(127);
}

int waitFor(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return status;
}

int runDornic(const RunDirectory& directory) {
  const int output = ::open("/dev/null", O_WRONLY);
  const int status = waitFor(startDornic(directory, output));
  ::close(output);
  return status;
}

std::vector<std::string> fileNames(const RunDirectory& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool exitedWith(int status, int code) { return WIFEXITED(status) && WEXITSTATUS(status) == code; }

// Two complete runs: the files of an older study, and those of the study that replaces it.
class DornicProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_.write("B2F.dat",
                     settingsText("35.0", "22.0", "00.0", "00.80", "00.00", "00.030", "00.000"));
    ASSERT_TRUE(exitedWith(runDornic(directory_), 0));
    oldResult_ = directory_.read("Result.dat");
    oldAxis_ = directory_.read("Beam_Axis.dat");
    directory_.write("B2F.dat", testrun::defaultSettings());
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(exitedWith(runDornic(directory_), 0));
    runTime_ = std::chrono::steady_clock::now() - start;
    newResult_ = directory_.read("Result.dat");
    newAxis_ = directory_.read("Beam_Axis.dat");
    ASSERT_NE(oldResult_, newResult_);
    ASSERT_NE(oldAxis_, newAxis_);
  }

  void restoreOldFiles() const {
    directory_.write("Result.dat", oldResult_);
    directory_.write("Beam_Axis.dat", oldAxis_);
  }

  // Each output is the old or the complete new one. A kill between naming the written
  // file and renaming it may leave the complete new file under a temporary name; nothing
  // else may be left.
  void expectOldOrNewFiles(const std::string& what) const {
    for (const std::string& name : fileNames(directory_)) {
      if (std::find(kFilesOfARun.begin(), kFilesOfARun.end(), name) != kFilesOfARun.end()) continue;
      const std::string written = name.substr(0, name.find(".tmp"));
      EXPECT_TRUE((written == "Result.dat" && directory_.read(name) == newResult_) ||
                  (written == "Beam_Axis.dat" && directory_.read(name) == newAxis_))
          << name << ", " << what;
      std::filesystem::remove(directory_.path() / name);
    }
    const std::string result = directory_.read("Result.dat");
    const std::string axis = directory_.read("Beam_Axis.dat");
    EXPECT_TRUE(result == oldResult_ || result == newResult_) << what;
    EXPECT_TRUE(axis == oldAxis_ || axis == newAxis_) << what;
  }

  RunDirectory directory_;
  std::string oldResult_;
  std::string oldAxis_;
  std::string newResult_;
  std::string newAxis_;
  std::chrono::steady_clock::duration runTime_{};
};

// A file size limit ends the engine with SIGXFSZ in the middle of writing a file; limits
// across the sizes of both outputs stop it inside each of them.
TEST_F(DornicProcess, KilledWhileWritingLeavesTheOldOrTheCompleteNewFile) {
  const std::size_t largest = std::max(newResult_.size(), newAxis_.size());
  int killedRuns = 0;
  for (std::size_t limit = 1; limit < largest; limit += largest / 24) {
    restoreOldFiles();
    const int output = ::open("/dev/null", O_WRONLY);
    const int status = waitFor(startDornic(directory_, output, [limit] {
      const rlimit fileSize{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
      ::setrlimit(RLIMIT_FSIZE, &fileSize);
    }));
    ::close(output);
    if (WIFSIGNALED(status)) ++killedRuns;
    expectOldOrNewFiles("file size limit " + std::to_string(limit));
    if (HasFailure()) return;
  }
  EXPECT_GT(killedRuns, 20);
}

// SIGKILL at delays spread over the length of a whole run.
TEST_F(DornicProcess, KilledAtAnyMomentLeavesTheOldOrTheCompleteNewFile) {
  constexpr int kKills = 100;
  const auto longest = runTime_ * 3 / 2;
  for (int kill = 0; kill < kKills; ++kill) {
    restoreOldFiles();
    const int output = ::open("/dev/null", O_WRONLY);
    const pid_t child = startDornic(directory_, output);
    const auto delay =
        std::chrono::duration_cast<std::chrono::nanoseconds>(longest * kill / kKills);
    const timespec pause{0, static_cast<long>(delay.count() % 1000000000)};
    ::nanosleep(&pause, nullptr);
    ::kill(child, SIGKILL);
    waitFor(child);
    ::close(output);
    expectOldOrNewFiles("killed after " + std::to_string(delay.count()) + " ns");
    if (HasFailure()) return;
  }
}

TEST_F(DornicProcess, ClosedConsoleEndsTheRunNormally) {
  restoreOldFiles();
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  ::close(pipeEnds[0]);
  const int status = waitFor(startDornic(directory_, pipeEnds[1]));
  ::close(pipeEnds[1]);
  EXPECT_TRUE(exitedWith(status, 0)) << status;
  EXPECT_EQ(directory_.read("Result.dat"), newResult_);
  EXPECT_EQ(directory_.read("Beam_Axis.dat"), newAxis_);
}

}  // namespace
