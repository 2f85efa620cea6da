#include "sweep/sweep_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <string>

#include "sweep/work_directory.h"

namespace {

using sweep::Settings;
using sweep::Target;

// Stand-in engines, shell scripts run in the combination's working directory.
class SweepRunTest : public ::testing::Test {
 protected:
  SweepRunTest() {
    std::ofstream(tables_.path() / "MUs3.dat") << "coefficients\n";
    std::ofstream(tables_.path() / "Mo-STP.dat") << "stopping powers\n";
    job_.tablesDirectory = tables_.path();
  }

  std::filesystem::path script(const std::string& name, const std::string& body) {
    const std::filesystem::path path = tables_.path() / name;
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    chmod(path.c_str(), 0755);
    return path;
  }

  sweep::WorkDirectory tables_;
  sweep::SweepJob job_;
};

TEST_F(SweepRunTest, EngineFindsItsFilesAndEndOfInputAndItsMessageBecomesTheFailure) {
  // Reports what it found on standard error and fails, so the failure text shows it all.
  const std::string inspect =
      "LC_ALL=C ls >&2; tr -d '\\r' < B2F.dat | paste -sd' ' >&2\n"
      "if read line; then echo 'input open' >&2; else echo 'input at end' >&2; fi\n"
      "echo 'stdout is discarded'; exit 2";
  job_.engines = {script("dornic", inspect), script("vessick", inspect)};
  job_.combinations = {Settings{}, Settings{Target::kTungsten, 28, 22, 0, 0.8, 0, 0, 0.05}};
  const auto outcomes = sweep::runSweep(job_);
  ASSERT_EQ(outcomes.size(), 2u);
  EXPECT_FALSE(outcomes[0].ok);
  EXPECT_EQ(outcomes[0].failure,
            "B2F.dat; MUs3.dat; Mo-STP.dat; engine-stderr.txt; "
            "0 30.0 10.0 04.0 00.80 00.00 00.030 00.000 60.000; input at end");
  EXPECT_EQ(outcomes[1].failure,
            "B2F.dat; MUs3.dat; engine-stderr.txt; "
            "1 28.0 22.0 00.0 00.80 00.00 00.000 00.050 60.000; input at end");
}

TEST_F(SweepRunTest, FailuresStayWithTheirCombinationAndTheOthersGoOn) {
  job_.engines.molybdenum = script("dornic",
                                   "v=$(sed -n 2p B2F.dat | tr -d '\\r')\n"
                                   "case $v in 25.0) echo \"B2F.dat, line 2: $v, no\" >&2; exit 2;;"
                                   " 26.0) exit 0;; 27.0) kill -9 $$;; esac\n"
                                   "awk -v v=$v 'BEGIN { for (i = 0; i < 11631; i++) print v }'"
                                   " > Result.dat");
  job_.parallelRuns = 3;
  for (double kv : {24, 25, 26, 27, 28, 29}) job_.combinations.push_back({Target::kMolybdenum, kv});
  std::size_t lastFinished = 0;
  job_.progress = [&](std::size_t finished, std::size_t failed) {
    EXPECT_EQ(finished, lastFinished + 1);
    EXPECT_LE(failed, 3u);
    lastFinished = finished;
  };
  const auto outcomes = sweep::runSweep(job_);
  ASSERT_EQ(outcomes.size(), 6u);
  EXPECT_EQ(lastFinished, 6u);
  for (std::size_t i : {0u, 4u, 5u}) {
    ASSERT_TRUE(outcomes[i].ok) << outcomes[i].failure;
    EXPECT_EQ(outcomes[i].summary.halfValueLayer, job_.combinations[i].tubeVoltage);
  }
  EXPECT_EQ(outcomes[1].failure, "B2F.dat, line 2: 25.0, no");
  EXPECT_NE(outcomes[2].failure.find("Result.dat"), std::string::npos) << outcomes[2].failure;
  EXPECT_EQ(outcomes[3].failure, "engine was killed by signal 9");
}

TEST_F(SweepRunTest, MissingEngineFailsEachCombinationWithoutStoppingTheSweep) {
  job_.engines.molybdenum = tables_.path() / "no-such-engine";
  job_.combinations = {Settings{}, Settings{}};
  const auto outcomes = sweep::runSweep(job_);
  ASSERT_EQ(outcomes.size(), 2u);
  for (const auto& outcome : outcomes) {
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.failure.find("no-such-engine"), std::string::npos) << outcome.failure;
  }
}

}  // namespace

TEST_F(SweepRunTest, HangingEngineIsStoppedAtTheTimeLimitAndMessagesBecomeText) {
  job_.engines.molybdenum = script("dornic",
                                   "v=$(sed -n 2p B2F.dat | tr -d '\\r')\n"
                                   "case $v in 24.0) sleep 1000;; esac\n"
                                   "printf 'bad\\000\\377\\tend\\n' >&2; exit 2");
  job_.engineTimeLimit = std::chrono::milliseconds(300);
  for (double kv : {24, 25}) job_.combinations.push_back({Target::kMolybdenum, kv});
  const auto started = std::chrono::steady_clock::now();
  const auto outcomes = sweep::runSweep(job_);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
  ASSERT_EQ(outcomes.size(), 2u);
  EXPECT_EQ(outcomes[0].failure, "engine stopped: still running after the time limit of 0.3 s");
  EXPECT_EQ(outcomes[1].failure, "bad\xEF\xBF\xBD\xEF\xBF\xBD end");
}

TEST_F(SweepRunTest, InterruptionStopsTheEnginesAndRemovesTheirFolders) {
  const std::filesystem::path marker = tables_.path() / "hanging-folder";
  job_.engines.molybdenum = script("dornic",
                                   "v=$(sed -n 2p B2F.dat | tr -d '\\r')\n"
                                   "case $v in 25.0) pwd > '" +
                                       marker.string() +
                                       "'; sleep 1000;; esac\n"
                                       "while [ ! -s '" +
                                       marker.string() + "' ]; do sleep 0.01; done; exit 3");
  for (double kv : {24, 25, 26}) job_.combinations.push_back({Target::kMolybdenum, kv});
  volatile std::sig_atomic_t interrupted = 0;
  job_.interrupted = &interrupted;
  job_.progress = [&](std::size_t, std::size_t) { interrupted = SIGINT; };
  try {
    sweep::runSweep(job_);
    FAIL() << "not interrupted";
  } catch (const sweep::SweepInterrupted& interruption) {
    EXPECT_EQ(interruption.finished, 1u);
    EXPECT_EQ(interruption.total, 3u);
  }
  std::ifstream folderFile(marker);
  std::string folder;
  std::getline(folderFile, folder);
  ASSERT_FALSE(folder.empty());
  EXPECT_FALSE(std::filesystem::exists(folder)) << folder;
}
