#pragma once

#include <string>
#include <string_view>

namespace engine {

// What --version prints: the program's name and the project's version, one line.
std::string versionLine(std::string_view program);

// The engines take no arguments and ignore any they are given; only --version, anywhere
// among them, asks for the version instead of a run.
bool versionRequested(int argc, const char* const argv[]);

}  // namespace engine
