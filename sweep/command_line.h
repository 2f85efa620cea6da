#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "calibration/hvl_fit.h"
#include "calibration/output_calibration.h"
#include "calibration/tube_profile.h"
#include "sweep/installed_tables.h"
#include "sweep/sweep_settings.h"

namespace sweep {

// More combinations than this are refused: far more than any study of the settings needs,
// they are almost always a mistyped step.
inline constexpr double kMaxCombinations = 100000;
inline constexpr int kMaxParallelRuns = 64;

struct CommandLine {
  bool helpRequested = false;
  bool versionRequested = false;
  SweepRequest request;
  int parallelRuns = 2;
  std::optional<std::filesystem::path> output;  // standard output when absent
  std::filesystem::path tablesDirectory = defaultTablesDirectory();
  // --fit-hvl: the measured pairs the aluminium of every combination is fitted to.
  std::vector<calibration::HvlPair> fitPairs;
  // --output-kerma: the measured output that puts the air kerma on an absolute scale, and
  // the tube voltage it was measured at (with each row's other settings).
  struct MeasuredOutput {
    calibration::OutputCalibration output;
    double tubeVoltage = 0.0;
  };
  std::optional<MeasuredOutput> measuredOutput;
  // --fit-heel: the measured heel the target angle of every combination is fitted to.
  std::vector<calibration::HeelPoint> heelPoints;
  // --calibration: a tube profile file.
  std::optional<std::filesystem::path> calibrationFile;
};

// An option or value that cannot be used; the message names the option and says why.
class UsageError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Reads the arguments that follow the program name: "--kv 25:35:1" or "--kv=25:35:1".
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string helpText();

}  // namespace sweep
