#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "test_paths.h"
#include "text_files/scratch_directory.h"

namespace palvane {

// Runs an engine program (testpaths::kDornic or kVessick) in the scratch directory with
// the delivered tables and the given B2F.dat text, console input at end of input.
// Returns false when the engine is missing or does not end normally.
inline bool runEngineInScratch(const ScratchDirectory& scratch, const char* engine,
                               const std::string& parameterFile) {
  namespace fs = std::filesystem;
  if (!fs::exists(engine)) return false;
  for (const char* table : {"MUs3.dat", "Mo-STP.dat", "Materials.dat"}) {
    fs::copy_file(fs::path(testpaths::kDataDir) / table, scratch.path() / table,
                  fs::copy_options::overwrite_existing);
  }
  scratch.write("B2F.dat", parameterFile);
  std::string command = "cd '";
  command += scratch.path().string();
  command += "' && '";
  command += engine;
  command += "' < /dev/null > /dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

}  // namespace palvane
