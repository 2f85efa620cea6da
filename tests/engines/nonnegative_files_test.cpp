// Scans an engine's files over the spectrum form's voltage range, 20.0 to 50.0 kV in steps
// of 0.1 kV, for each filter set (molybdenum, rhodium, none): no number in Beam_Axis.dat
// or Result.dat may be negative. Photon numbers, fluences, kermas and HVLs cannot be.
//
// The whole range runs with angles that leave six columns inside the heel cut-off
// (theta 1, phi 0: 1.1 cm), which keeps it to seconds. Its beam is hard enough that a
// negative line yield would not show there, so the voltages where the line formula changes
// sign (20.0 to 21.0 kV) run again at the form's default angles over the whole field,
// where it would: -0.199 of the peak at 17.4 keV, 20.0 kV, 0.03 mm Mo. Even so the scan
// takes minutes unoptimised with the sanitizers, so it has a test program of its own,
// labelled engines, which the debug test preset and the sanitizer check leave to the
// release build.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "dornic/molybdenum_model.h"
#include "dornic/run_directory.h"
#include "engine/engine_run.h"
#include "engine/table_files.h"
#include "test_paths.h"
#include "vessick/tungsten_model.h"

namespace {

using testrun::settingsText;

// The first negative or unreadable field of an engine file, or an empty text.
std::string firstBadField(const std::string& text) {
  std::istringstream stream(text);
  for (std::string field; stream >> field;) {
    char* end = nullptr;
    const double value = std::strtod(field.c_str(), &end);
    if (*end != '\0' || !(value >= 0.0)) return field;
  }
  return {};
}

// The files of every run from `lowest` to `highest` tenths of a kV at the given angles.
void expectNoNegativeField(const engine::TargetModel& model, const std::string& targetCode,
                           const std::string& theta, const std::string& phi, int lowest,
                           int highest) {
  const engine::CoefficientTable table =
      engine::readCoefficientTable(std::filesystem::path(testpaths::kDataDir) / "MUs3.dat");
  const struct {
    const char* molybdenum;
    const char* rhodium;
  } filterSets[] = {{"00.030", "00.000"}, {"00.000", "00.025"}, {"00.000", "00.000"}};
  for (int tenths = lowest; tenths <= highest; ++tenths) {
    char voltage[8];
    std::snprintf(voltage, sizeof voltage, "%d.%d", tenths / 10, tenths % 10);
    for (const auto& filters : filterSets) {
      const std::string settings = settingsText(voltage, theta, phi, "00.80", "00.00",
                                                filters.molybdenum, filters.rhodium, targetCode);
      std::ostringstream warnings;
      const engine::RunFiles files = engine::computeRun(model, table, settings, warnings);
      ASSERT_FALSE(files.beamAxis.empty());
      for (const std::string* file : {&files.beamAxis, &files.result}) {
        const std::string bad = firstBadField(*file);
        ASSERT_TRUE(bad.empty()) << voltage << " kV, theta " << theta << ", phi " << phi << ", Mo "
                                 << filters.molybdenum << " Rh " << filters.rhodium << ": " << bad;
      }
    }
  }
}

void expectNoNegativeFieldFrom20To50kV(engine::TargetModel& model, const std::string& targetCode) {
  model.readTables(testpaths::kDataDir);
  expectNoNegativeField(model, targetCode, "01.0", "00.0", 200, 500);
  expectNoNegativeField(model, targetCode, "10.0", "04.0", 200, 210);
}

TEST(EngineFiles, MolybdenumNoNegativeNumberFrom20To50kVWithEachFilterSet) {
  dornic::MolybdenumModel model;
  expectNoNegativeFieldFrom20To50kV(model, "0");
}

TEST(EngineFiles, TungstenNoNegativeNumberFrom20To50kVWithEachFilterSet) {
  vessick::TungstenModel model;
  expectNoNegativeFieldFrom20To50kV(model, "1");
}

}  // namespace
