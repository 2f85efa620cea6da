#include "sweep/sweep_run.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>

namespace sweep {

namespace {

CombinationOutcome runGuarded(const SweepJob& job, const Settings& settings) {
  try {
    return job.run(settings);
  } catch (const std::exception& error) {
    return {false, {}, error.what()};
  }
}

}  // namespace

std::vector<CombinationOutcome> runSweep(const SweepJob& job) {
  std::vector<CombinationOutcome> outcomes(job.combinations.size());
  std::atomic<std::size_t> next = 0;
  std::mutex recording;
  std::size_t finished = 0;
  std::size_t failed = 0;
  const auto interrupted = [&job] {
    return job.interrupted != nullptr && job.interrupted->load() != 0;
  };
  const auto work = [&] {
    while (!interrupted()) {
      const std::size_t index = next++;
      if (index >= outcomes.size()) return;
      CombinationOutcome outcome = runGuarded(job, job.combinations[index]);
      const std::lock_guard lock(recording);
      if (!outcome.ok) ++failed;
      outcomes[index] = std::move(outcome);
      ++finished;
      if (job.progress) job.progress(finished, failed);
    }
  };
  const std::size_t threadCount = std::min<std::size_t>(std::max(job.parallelRuns, 1),
                                                        std::max<std::size_t>(outcomes.size(), 1));
  {
    std::vector<std::jthread> threads;
    for (std::size_t i = 1; i < threadCount; ++i) threads.emplace_back(work);
    work();  // this thread computes too
  }
  if (finished < outcomes.size()) throw SweepInterrupted{finished, outcomes.size()};
  return outcomes;
}

}  // namespace sweep
