#include "sweep/sweep_run.h"

#include "sweep/aluminium_fit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using sweep::CombinationOutcome;
using sweep::Settings;
using sweep::Target;

// A stand-in computation: the summary's HVL is the tube voltage; 25 kV is refused and
// 27 kV throws.
CombinationOutcome standIn(const Settings& settings) {
  if (settings.tubeVoltage == 25) return {false, {}, "B2F.dat, line 2: 25, no"};
  if (settings.tubeVoltage == 27) throw std::runtime_error("out of memory");
  CombinationOutcome outcome;
  outcome.ok = true;
  outcome.summary.halfValueLayer = settings.tubeVoltage;
  return outcome;
}

TEST(SweepRun, OutcomesKeepTheOrderOfTheCombinationsAndFailuresStayWithTheirOwn) {
  sweep::SweepJob job;
  job.run = standIn;
  job.parallelRuns = 3;
  for (int kv = 20; kv < 50; ++kv) job.combinations.push_back({Target::kMolybdenum, double(kv)});
  std::size_t lastFinished = 0;
  std::size_t lastFailed = 0;
  job.progress = [&](std::size_t finished, std::size_t failed) {
    EXPECT_EQ(finished, lastFinished + 1);
    EXPECT_GE(failed, lastFailed);
    lastFinished = finished;
    lastFailed = failed;
  };
  const auto outcomes = sweep::runSweep(job);
  ASSERT_EQ(outcomes.size(), 30u);
  EXPECT_EQ(lastFinished, 30u);
  EXPECT_EQ(lastFailed, 2u);
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const double kv = job.combinations[i].tubeVoltage;
    if (kv == 25 || kv == 27) continue;
    ASSERT_TRUE(outcomes[i].ok) << outcomes[i].failure;
    EXPECT_EQ(outcomes[i].summary.halfValueLayer, kv);
  }
  EXPECT_EQ(outcomes[5].failure, "B2F.dat, line 2: 25, no");
  EXPECT_EQ(outcomes[7].failure, "out of memory");
}

TEST(SweepRun, ComputesOnSeveralThreadsAtOnce) {
  // Each computation waits until two are running; on one thread the sweep would never end.
  std::atomic<int> running = 0;
  sweep::SweepJob job;
  job.parallelRuns = 2;
  job.run = [&running](const Settings& settings) {
    ++running;
    while (running.load() < 2) std::this_thread::yield();
    return standIn(settings);
  };
  job.combinations = {Settings{}, Settings{}};
  const auto outcomes = sweep::runSweep(job);
  EXPECT_TRUE(outcomes[0].ok && outcomes[1].ok);
}

TEST(SweepRun, InterruptionStartsNoFurtherCombination) {
  std::atomic<int> interrupted = 0;
  std::atomic<int> started = 0;
  sweep::SweepJob job;
  job.parallelRuns = 1;
  job.run = [&started](const Settings& settings) {
    ++started;
    return standIn(settings);
  };
  for (double kv : {24, 26, 28}) job.combinations.push_back({Target::kMolybdenum, kv});
  job.interrupted = &interrupted;
  job.progress = [&](std::size_t, std::size_t) { interrupted = SIGINT; };
  try {
    sweep::runSweep(job);
    FAIL() << "not interrupted";
  } catch (const sweep::SweepInterrupted& interruption) {
    EXPECT_EQ(interruption.finished, 1u);
    EXPECT_EQ(interruption.total, 3u);
  }
  EXPECT_EQ(started.load(), 1);
}

// The fit's runs are one combination each; an interruption among them still reports the
// sweep's count.
TEST(SweepRun, InterruptionDuringTheAluminiumFitCountsTheSweep) {
  std::atomic<int> interrupted = SIGINT;  // before the fit's next run
  sweep::SweepJob job;
  job.run = standIn;
  job.interrupted = &interrupted;
  for (double kv : {24, 26, 28}) job.combinations.push_back({Target::kMolybdenum, kv});
  try {
    sweep::fitAluminium(job.combinations, job, {{28, 0.3}});
    FAIL() << "not interrupted";
  } catch (const sweep::SweepInterrupted& interruption) {
    EXPECT_EQ(interruption.finished, 0u);
    EXPECT_EQ(interruption.total, 3u);
  }
}

}  // namespace
