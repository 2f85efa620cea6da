#include "palvane/physics/calibration_file.h"

#include <charconv>
#include <cmath>
#include <set>
#include <sstream>

#include "text_files/atomic_file.h"
#include "text_files/file_error.h"
#include "text_files/input_file.h"

namespace palvane {

namespace {

std::string shortest(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Reads the lines of one file, each error naming the file and the line.
class CalibrationReader {
 public:
  explicit CalibrationReader(std::filesystem::path file) : file_(std::move(file)) {}

  TubeCalibrationRecord read() {
    // The input-file checks: a pipe or a device is refused, never waited on.
    std::istringstream in(readInputFile(file_));
    std::string line;
    bool targetSeen = false;
    std::optional<double> kerma, distance;
    while (std::getline(in, line)) {
      ++lineNumber_;
      const std::string content = trimmed(line.substr(0, line.find('#')));
      if (content.empty()) continue;
      const std::size_t equals = content.find('=');
      if (equals == std::string::npos) fail("\"" + content + "\" is not key = value");
      const std::string key = trimmed(content.substr(0, equals));
      const std::string value = trimmed(content.substr(equals + 1));
      if (key != "hvl" && !seen_.insert(key).second) fail("\"" + key + "\" is given twice");
      if (key == "target") {
        if (value == "mo") {
          record_.targetType = 0;
        } else if (value == "w") {
          record_.targetType = 1;
        } else {
          fail("target \"" + value + "\" is neither mo nor w");
        }
        targetSeen = true;
      } else if (key == "aluminium") {
        const double aluminium = number(value, "aluminium");
        if (!(aluminium >= 0.0 && aluminium <= calibration::kThickestAluminium)) {
          fail("aluminium " + value + " mm is outside 0 to 5 mm");
        }
        record_.aluminium = aluminium;
      } else if (key == "hvl") {
        readPair(value);
      } else if (key == "output_kerma") {
        kerma = positive(value, "output_kerma");
      } else if (key == "output_distance") {
        distance = positive(value, "output_distance");
      } else {
        fail("unknown key \"" + key + "\"");
      }
    }
    if (!targetSeen) fail("no target line (target = mo or target = w)");
    if (kerma.has_value() != distance.has_value()) {
      fail("output_kerma and output_distance go together: one of them is missing");
    }
    if (kerma) {
      record_.output = calibration::OutputCalibration{*kerma, *distance};
      if (!calibration::isUsable(*record_.output)) {
        fail("output_kerma and output_distance are too large to compute with");
      }
    }
    return record_;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw FileError(file_.string() + ", line " + std::to_string(lineNumber_) + ": " + what);
  }

  double number(const std::string& text, const char* key) const {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
      fail(std::string(key) + " \"" + text + "\" is not a number");
    }
    return value;
  }

  double positive(const std::string& text, const char* key) const {
    const double value = number(text, key);
    if (!(value > 0.0)) fail(std::string(key) + " " + text + " must be above 0");
    return value;
  }

  void readPair(const std::string& value) {
    std::istringstream fields(value);
    std::string voltage, hvl, rest;
    fields >> voltage >> hvl >> rest;
    if (hvl.empty() || !rest.empty()) fail("hvl \"" + value + "\" is not two numbers: kV HVL");
    const calibration::HvlPair pair{number(voltage, "hvl kV"), number(hvl, "hvl")};
    const std::optional<calibration::PairProblem> problem = calibration::pairProblem(pair);
    if (problem == calibration::PairProblem::kTubeVoltageOutOfRange) {
      fail("hvl tube voltage " + voltage + " kV is outside 20 to 50 kV");
    }
    if (problem) fail("hvl " + hvl + " mm must be above 0");
    if (record_.pairs.size() >= kMostCalibrationPairs) {
      fail("more than " + std::to_string(kMostCalibrationPairs) + " hvl lines");
    }
    record_.pairs.push_back(pair);
  }

  std::filesystem::path file_;
  int lineNumber_ = 0;
  std::set<std::string> seen_;
  TubeCalibrationRecord record_;
};

}  // namespace

std::string calibrationFileText(const TubeCalibrationRecord& record) {
  std::string text = "# palvane tube calibration\n";
  text += std::string("target = ") + (record.targetType == 0 ? "mo" : "w") + "\n";
  if (record.aluminium) text += "aluminium = " + shortest(*record.aluminium) + "\n";
  for (const calibration::HvlPair& pair : record.pairs) {
    text += "hvl = " + shortest(pair.tubeVoltage) + " " + shortest(pair.hvl) + "\n";
  }
  if (record.output) {
    text += "output_kerma = " + shortest(record.output->kermaPerLoad) + "\n";
    text += "output_distance = " + shortest(record.output->distance) + "\n";
  }
  return text;
}

void writeCalibrationFile(const std::filesystem::path& file, const TubeCalibrationRecord& record) {
  replaceFileContents(file, calibrationFileText(record));
}

TubeCalibrationRecord readCalibrationFile(const std::filesystem::path& file) {
  return CalibrationReader(file).read();
}

}  // namespace palvane
