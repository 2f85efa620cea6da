#pragma once

// Scans an engine's files over the spectrum form's voltage range, 20.0 to 50.0 kV in steps
// of 0.1 kV, for each filter set (molybdenum, rhodium, none): no number in Beam_Axis.dat
// or Result.dat may be negative. Photon numbers, fluences, kermas and HVLs cannot be.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "dornic/run_directory.h"
#include "engine/engine_run.h"
#include "engine/table_files.h"
#include "test_paths.h"

namespace testrun {

// The first negative or unreadable field of an engine file, or an empty text.
inline std::string firstBadField(const std::string& text) {
  std::istringstream stream(text);
  for (std::string field; stream >> field;) {
    char* end = nullptr;
    const double value = std::strtod(field.c_str(), &end);
    if (*end != '\0' || !(value >= 0.0)) return field;
  }
  return {};
}

inline void expectNoNegativeFieldFrom20To50kV(engine::TargetModel& model,
                                              const std::string& targetCode) {
  model.readTables(testpaths::kDataDir);
  const engine::CoefficientTable table =
      engine::readCoefficientTable(std::filesystem::path(testpaths::kDataDir) / "MUs3.dat");
  const struct {
    const char* molybdenum;
    const char* rhodium;
  } filterSets[] = {{"00.030", "00.000"}, {"00.000", "00.025"}, {"00.000", "00.000"}};
  for (int tenths = 200; tenths <= 500; ++tenths) {
    char voltage[8];
    std::snprintf(voltage, sizeof voltage, "%d.%d", tenths / 10, tenths % 10);
    for (const auto& filters : filterSets) {
      // The form's default angles, where the heel cut-off leaves the most columns.
      const std::string settings = settingsText(voltage, "10.0", "04.0", "00.80", "00.00",
                                                filters.molybdenum, filters.rhodium, targetCode);
      std::ostringstream warnings;
      const engine::RunFiles files = engine::computeRun(model, table, settings, warnings);
      ASSERT_FALSE(files.beamAxis.empty());
      for (const std::string* file : {&files.beamAxis, &files.result}) {
        const std::string bad = firstBadField(*file);
        ASSERT_TRUE(bad.empty()) << voltage << " kV, Mo " << filters.molybdenum << " Rh "
                                 << filters.rhodium << ": " << bad;
      }
    }
  }
}

}  // namespace testrun
