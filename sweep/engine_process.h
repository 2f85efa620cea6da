#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace sweep {

// The directory of the running program, or an empty path when the system does not say.
std::filesystem::path ownExecutableDirectory();

// The program found beside besideDirectory first, then in the directories of PATH; an empty
// path when there is none.
std::filesystem::path findProgram(std::string_view name,
                                  const std::filesystem::path& besideDirectory);

// Starts the program in workDirectory with its standard input at end (an engine takes that
// as Enter), its console output discarded and its standard error written to errorFile.
// Returns the process id; throws std::system_error when the process cannot be started.
pid_t startEngine(const std::filesystem::path& program, const std::filesystem::path& workDirectory,
                  const std::filesystem::path& errorFile);

// "ended with exit status 2" or "was killed by signal 9", for a status from waitpid.
std::string describeWaitStatus(int waitStatus);

}  // namespace sweep
