#pragma once

#include <filesystem>
#include <iosfwd>

#include "engine/target_model.h"

namespace engine {

// Exit statuses of an engine run.
inline constexpr int kRunCompleted = 0;
inline constexpr int kRunOutputFailed = 1;  // an output file could not be written
inline constexpr int kRunBadInput = 2;      // nothing was written

struct ConsoleStreams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// Throws InputError ("B2F.dat, line 2: ...") unless the tube voltage gives
// 2 <= N = trunc(5 V) <= 250 bins.
void checkTubeVoltage(float tubeVoltage);

// One whole engine run in `directory`: greeting, reading MUs3.dat, the target's tables and
// B2F.dat, the field computation with Beam_Axis.dat written at the reference point,
// Result.dat, the closing messages and the wait for one input line (end of input counts as
// Enter). Bad input is reported on the error stream before anything is written. Returns
// the exit status.
int runEngine(TargetModel& model, const std::filesystem::path& directory,
              const ConsoleStreams& console);

}  // namespace engine
