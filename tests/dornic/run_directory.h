#pragma once

// Helpers for whole-run tests of the engines: a scratch working directory with the
// shipped tables, settings text for B2F.dat, and one in-process run.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine_run.h"
#include "test_paths.h"

namespace testrun {

// B2F.dat text as the interactive program writes it: thicknesses in mm, air 60 cm.
inline std::string settingsText(const std::string& voltage, const std::string& targetAngle,
                                const std::string& tiltAngle, const std::string& beryllium,
                                const std::string& aluminium, const std::string& molybdenum,
                                const std::string& rhodium, const std::string& targetCode = "0") {
  std::string text;
  for (const std::string& line : {targetCode, voltage, targetAngle, tiltAngle, beryllium, aluminium,
                                  molybdenum, rhodium, std::string("60.000")}) {
    text += line + "\r\n";
  }
  return text;
}

// The settings of the usual molybdenum study: 28 kV, 22 degrees, 0.8 mm Be, 0.03 mm Mo.
inline std::string defaultSettings() {
  return settingsText("28.0", "22.0", "00.0", "00.80", "00.00", "00.030", "00.000");
}

inline std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

struct RunOutcome {
  int status;
  std::string out;
  std::string err;
};

// A fresh directory under the system's temporary directory holding MUs3.dat and
// Mo-STP.dat from data/; removed with everything in it at the end.
class RunDirectory {
 public:
  RunDirectory() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // The process id keeps concurrent runs of the same test (other build trees) apart.
    path_ = std::filesystem::temp_directory_path() /
            (std::string("engine_run_") + test->test_suite_name() + "_" + test->name() + "_" +
             std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    for (const char* name : {"MUs3.dat", "Mo-STP.dat"}) {
      std::filesystem::copy_file(std::filesystem::path(testpaths::kDataDir) / name, path_ / name);
    }
  }
  ~RunDirectory() { std::filesystem::remove_all(path_); }
  RunDirectory(const RunDirectory&) = delete;
  RunDirectory& operator=(const RunDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

  void write(const std::string& name, const std::string& text) const {
    std::ofstream(path_ / name, std::ios::binary) << text;
  }
  std::string read(const std::string& name) const {
    std::ifstream file(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  RunOutcome run(engine::TargetModel& model, const std::string& input = "") const {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = engine::runEngine(model, path_, {in, out, err});
    return {status, out.str(), err.str()};
  }

 private:
  std::filesystem::path path_;
};

}  // namespace testrun
