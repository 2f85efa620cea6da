#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "palvane/physics/point_spectrum.h"
#include "palvane/state/table_loading.h"
#include "palvane_physics/spectrum_fixture.h"
#include "test_paths.h"

namespace palvane {
namespace {

// The spectrum form's defaults with the tables delivered in data/.
class ShippedTables : public SpectrumTest {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::filesystem::path(testpaths::kDataDir) / "MUs3.dat")) {
      GTEST_SKIP() << "data/MUs3.dat has not been generated yet";
    }
    SpectrumTest::SetUp();
    LoadTables(testpaths::kDataDir);
  }

  std::vector<std::string> spectrumFileLines() const {
    const std::string text = scratch_.read("B_SPCTL.dat");
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }
};

TEST_F(ShippedTables, DefaultMolybdenumSpectrumFile) {
  ASSERT_EQ(ComputePointSpectrumMo(), PointSpectrumOutcome::kDrawn);
  const std::vector<std::string> lines = spectrumFileLines();
  ASSERT_EQ(lines.size(), 251u);
  const std::regex binLine(R"(\d{4}\.\d  \d\.\d{5})");
  for (int bin = 1; bin <= 250; ++bin) {
    ASSERT_TRUE(std::regex_match(lines[bin - 1], binLine)) << lines[bin - 1];
  }
  EXPECT_EQ(lines[0].substr(0, 6), "0000.2");
  EXPECT_EQ(lines[249].substr(0, 6), "0050.0");
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.ends_with("1.00000"); }));
  for (int bin = 151; bin <= 250; ++bin) EXPECT_EQ(lines[bin - 1].substr(8), "0.00000") << bin;
  EXPECT_TRUE(std::regex_match(lines[250], std::regex(R"(\d\.\d{4}E[+-]\d{2})"))) << lines[250];
  EXPECT_GT(s().AxisSpectrumMax, 0.0);
}

TEST_F(ShippedTables, ThePickedBeamAxisPointPeaksAtOneHundredPercent) {
  for (auto compute : {&ComputePointSpectrumMo, &ComputePointSpectrumW}) {
    s().PointMode = 0;
    ASSERT_EQ(compute(), PointSpectrumOutcome::kDrawn);
    s().PointMode = 1;
    displayGraph_.calls.clear();
    ASSERT_EQ(compute(), PointSpectrumOutcome::kDrawn);
    double highest = 0.0;
    for (const auto& call : displayGraph_.calls) {
      if (call.kind == RecordingSurface::Kind::kLineTo) highest = std::max(highest, call.y2);
    }
    EXPECT_DOUBLE_EQ(highest, 100.0);
  }
}

// The spectrum form's whole voltage range in steps of 0.1 kV with each filter set: no bin
// of the beam-axis spectrum or of B_SPCTL.dat is negative, also where the linear line
// yield of the molybdenum target would be (below 20.75 kV with a molybdenum filter).
TEST_F(ShippedTables, NoNegativeBinFrom20To50kVWithEachFilterSet) {
  const std::pair<const char*, const char*> filterSets[] = {
      {"0.03", "0"}, {"0", "0.025"}, {"0", "0"}};
  for (auto compute : {&ComputePointSpectrumMo, &ComputePointSpectrumW}) {
    for (int tenths = 200; tenths <= 500; ++tenths) {
      texts_.voltage = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
      for (const auto& [molybdenum, rhodium] : filterSets) {
        texts_.mo = molybdenum;
        texts_.rh = rhodium;
        ASSERT_EQ(compute(), PointSpectrumOutcome::kDrawn);
        const std::vector<std::string> lines = spectrumFileLines();
        for (int bin = 1; bin <= 250; ++bin) {
          ASSERT_TRUE(s().Spectrum[bin] >= 0.0 && std::stod(lines[bin - 1].substr(6)) >= 0.0)
              << texts_.voltage << " kV, Mo " << molybdenum << " Rh " << rhodium << ", bin " << bin
              << ": " << lines[bin - 1];
        }
      }
    }
  }
}

}  // namespace
}  // namespace palvane
