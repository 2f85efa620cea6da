#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sweep {

inline constexpr int kExitAllOk = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUnusable = 2;

inline constexpr const char* kStandardOutputFailed =
    "the table could not be written to standard output";

// The whole program: reads the arguments (without the program name), runs the sweep, writes
// the table to --output or to out, and reports progress and problems on err.
int runSweepProgram(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err);

}  // namespace sweep
