#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "sweep/result_file.h"
#include "sweep/sweep_settings.h"
#include "tube_model/tables.h"

namespace sweep {

// What one combination gave: its summary, or why there is none.
struct CombinationOutcome {
  bool ok = false;
  ResultSummary summary;
  std::string failure;  // the engine's error message or what went wrong around it
};

// Both engines' tables read once, shared read-only by every combination of a sweep, also
// by several threads at once.
struct EngineTables {
  tube_model::Tables model;  // MUs3.dat, and Mo-STP.dat when it was asked for
};

// Reads MUs3.dat, and Mo-STP.dat when `withMolybdenum`, from the folder, with the engines'
// own readers and checks. Throws std::runtime_error with the engine's message and the
// folder's name when a table cannot be used.
EngineTables readEngineTables(const std::filesystem::path& directory, bool withMolybdenum);

// One combination computed as the engine of its target computes it from the B2F.dat
// palvane would write for these settings (tube_model::computeField), summarised as its
// Result.dat states it; a combination the engine refuses fails with the engine's own
// message. Needs the molybdenum table for a molybdenum target. Safe to call from several
// threads at once.
CombinationOutcome runCombination(const EngineTables& tables, const Settings& settings);

// The engine's error output as valid UTF-8 on one line: blank lines dropped, line breaks as
// "; ", other control characters and invalid bytes replaced, cut at a character boundary
// when it runs long.
std::string engineMessage(std::string_view errorOutput);

}  // namespace sweep
