#include "sweep/combination_run.h"

#include <exception>
#include <sstream>
#include <stdexcept>

#include "sweep/printable_text.h"
#include "tube_model/field.h"

namespace sweep {

namespace {

constexpr std::size_t kMaxFailureLength = 2000;

}  // namespace

EngineTables readEngineTables(const std::filesystem::path& directory, bool withMolybdenum) {
  try {
    return EngineTables{tube_model::Tables::fromFolder(directory, withMolybdenum)};
  } catch (const tube_model::ModelError& error) {
    throw std::runtime_error("the tables in " + directory.string() +
                             " cannot be used: " + error.what() +
                             " (give the folder holding MUs3.dat and Mo-STP.dat with --tables "
                             "DIR)");
  }
}

CombinationOutcome runCombination(const EngineTables& tables, const Settings& settings) {
  CombinationOutcome outcome;
  try {
    outcome.summary = summaryOf(tube_model::computeField(settings, tables.model));
    outcome.ok = true;
  } catch (const tube_model::ModelError& error) {
    outcome.failure = engineMessage(std::string(error.what()) + "\n");
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
