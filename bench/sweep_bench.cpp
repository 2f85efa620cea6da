// The 768-combination sweep
//   sweep --target mo,w --kv 20:50:2 --theta 10:20:5 --phi 0,4 --rh 0,0.025,0.05,0.1
// computed in-process. SweepCombinationsOneByOne computes every combination on one thread,
// one after the other: the sum of the combinations' compute times, which divided by the
// number of jobs is the ideal time of a parallel sweep. SweepOnJobs/N is that sweep on N
// threads, SweepProgram/N the whole program (reading the tables, writing the table into a
// string). Compare with: --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "sweep/combination_run.h"
#include "sweep/command_line.h"
#include "sweep/sweep_program.h"
#include "sweep/sweep_run.h"
#include "sweep/sweep_settings.h"
#include "test_paths.h"

namespace {

std::vector<std::string> sweepArguments(int jobs) {
  return {"--target", "mo,w",
          "--theta",  "10:20:5",
          "--phi",    "0,4",
          "--kv",     "20:50:2",
          "--rh",     "0,0.025,0.05,0.1",
          "--tables", testpaths::kDataDir,
          "--jobs",   std::to_string(jobs)};
}

const sweep::EngineTables& tables() {
  static const sweep::EngineTables read = sweep::readEngineTables(testpaths::kDataDir, true);
  return read;
}

std::vector<sweep::Settings> combinations() {
  return sweep::expandCombinations(sweep::parseCommandLine(sweepArguments(1)).request);
}

void SweepCombinationsOneByOne(benchmark::State& state) {
  const std::vector<sweep::Settings> all = combinations();
  for (auto _ : state) {
    for (const sweep::Settings& settings : all) {
      benchmark::DoNotOptimize(sweep::runCombination(tables(), settings));
    }
  }
  state.counters["combinations"] = static_cast<double>(all.size());
}
BENCHMARK(SweepCombinationsOneByOne)->Unit(benchmark::kMillisecond)->UseRealTime();

void SweepOnJobs(benchmark::State& state) {
  sweep::SweepJob job;
  job.combinations = combinations();
  job.parallelRuns = static_cast<int>(state.range(0));
  job.run = [](const sweep::Settings& settings) {
    return sweep::runCombination(tables(), settings);
  };
  for (auto _ : state) {
    benchmark::DoNotOptimize(sweep::runSweep(job));
  }
}
BENCHMARK(SweepOnJobs)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void SweepProgram(benchmark::State& state) {
  const std::vector<std::string> arguments = sweepArguments(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::ostringstream table;
    std::ostringstream messages;
    if (sweep::runSweepProgram(arguments, table, messages) != sweep::kExitAllOk) {
      state.SkipWithError(messages.str().c_str());
      break;
    }
  }
}
BENCHMARK(SweepProgram)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
