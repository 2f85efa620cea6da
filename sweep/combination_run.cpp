#include "sweep/combination_run.h"

#include <exception>
#include <sstream>
#include <stdexcept>

#include "engine/engine_run.h"
#include "engine/input_error.h"
#include "engine/table_files.h"
#include "sweep/parameter_file.h"
#include "sweep/printable_text.h"
#include "text_files/file_error.h"

namespace sweep {

namespace {

constexpr std::size_t kMaxFailureLength = 2000;

}  // namespace

EngineTables readEngineTables(const std::filesystem::path& directory, bool withMolybdenum) {
  EngineTables tables;
  try {
    tables.coefficients = engine::readCoefficientTable(directory / "MUs3.dat");
    if (withMolybdenum) tables.molybdenum.readTables(directory);
  } catch (const engine::InputError& error) {
    throw std::runtime_error("the tables in " + directory.string() +
                             " cannot be used: " + error.what() +
                             " (give the folder holding MUs3.dat and Mo-STP.dat with --tables "
                             "DIR)");
  }
  return tables;
}

CombinationOutcome runCombination(const EngineTables& tables, const Settings& settings) {
  const engine::TargetModel& model =
      settings.target == Target::kMolybdenum
          ? static_cast<const engine::TargetModel&>(tables.molybdenum)
          : tables.tungsten;
  CombinationOutcome outcome;
  try {
    std::ostringstream warnings;
    const engine::RunFiles files =
        engine::computeRun(model, tables.coefficients, parameterFileText(settings), warnings);
    outcome.summary = readResultText(files.result);
    outcome.ok = true;
  } catch (const engine::InputError& error) {
    outcome.failure = engineMessage(std::string(error.what()) + "\n");
  } catch (const palvane::FileError& error) {
    outcome.failure = error.what();
  } catch (const std::exception& error) {
    outcome.failure = engineMessage(error.what());
  }
  return outcome;
}

std::string engineMessage(std::string_view errorOutput) {
  std::string message;
  std::istringstream lines{std::string(errorOutput)};
  std::string line;
  while (std::getline(lines, line) && message.size() < kMaxFailureLength) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (!message.empty()) message += "; ";
    message += printableText(line);
  }
  if (message.size() > kMaxFailureLength) {
    std::size_t end = kMaxFailureLength;
    while (end > 0 && (static_cast<unsigned char>(message[end]) & 0xC0) == 0x80) --end;
    message.resize(end);
  }
  return message;
}

}  // namespace sweep
