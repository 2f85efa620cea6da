// palvane's tungsten beam-axis spectrum against the tungsten engine's Beam_Axis.dat.
//
// Both use a 60 cm air path on the beam axis and the same tables, so the relative
// spectra must follow each other closely. They are not equal: the electron-energy loop
// accumulates T in double precision here and in single precision in the engine, so many
// bins get one term more or less in their sum (up to about 1e-2 in relative value at
// 30 kV and 2.5e-2 at 25 kV). A bound of 3e-2 in every bin, with the peak in the same
// bin, still catches a wrong air path, a missing filter or a shifted bin.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "palvane/physics/point_spectrum.h"
#include "palvane/state/table_loading.h"
#include "palvane_physics/engine_in_scratch.h"
#include "palvane_physics/spectrum_fixture.h"
#include "test_paths.h"
#include "text_files/number_text.h"

namespace palvane {
namespace {

// The 250 relative values of the spectrum records (lines 10 to 259) of Beam_Axis.dat.
std::vector<double> engineRelativeSpectrum(const std::string& beamAxisText) {
  std::istringstream lines(beamAxisText);
  std::vector<double> relative;
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (number >= 10 && number <= 259) relative.push_back(std::stod(line.substr(8)));
  }
  return relative;
}

class TungstenEngineCrossCheck : public SpectrumTest {
 protected:
  void SetUp() override {
    SpectrumTest::SetUp();
    LoadTables(testpaths::kDataDir);
  }

  // Runs vessick on the settings of the parameter texts; its relative spectrum.
  std::vector<double> runEngine() {
    const std::string lines[] = {"1",
                                 PatternFormat(LeadingNumber(texts_.voltage), "00.0"),
                                 PatternFormat(LeadingNumber(texts_.theta), "00.0"),
                                 PatternFormat(LeadingNumber(texts_.phi), "00.0"),
                                 PatternFormat(LeadingNumber(texts_.be), "00.00"),
                                 PatternFormat(LeadingNumber(texts_.al), "00.00"),
                                 PatternFormat(LeadingNumber(texts_.mo), "00.000"),
                                 PatternFormat(LeadingNumber(texts_.rh), "00.000"),
                                 "60.000"};
    std::string parameterFile;
    for (const std::string& line : lines) parameterFile += line + "\r\n";
    EXPECT_TRUE(runEngineInScratch(scratch_, testpaths::kVessick, parameterFile));
    return engineRelativeSpectrum(scratch_.read("Beam_Axis.dat"));
  }
};

TEST_F(TungstenEngineCrossCheck, RelativeSpectraAgreeFrom25To45Kilovolts) {
  // The tungsten defaults of the spectrum form: theta 10, phi 4, 0.8 mm Be, 0.025 mm Rh.
  texts_.mo = "0";
  texts_.rh = "0.025";
  for (const char* voltage : {"25", "28", "30", "35", "40", "45"}) {
    SCOPED_TRACE(std::string("tube voltage ") + voltage + " kV");
    texts_.voltage = voltage;
    const std::vector<double> engine = runEngine();
    ASSERT_EQ(engine.size(), 250u);
    s().PointMode = 0;
    ASSERT_EQ(ComputePointSpectrumW(), PointSpectrumOutcome::kDrawn);

    int enginePeak = 1, palvanePeak = 1;
    for (int bin = 1; bin <= 250; ++bin) {
      const double relative = s().Spectrum[bin] / s().SpectrumMax;
      EXPECT_NEAR(relative, engine[bin - 1], 3e-2) << "bin " << bin;
      if (engine[bin - 1] > engine[enginePeak - 1]) enginePeak = bin;
      if (relative > s().Spectrum[palvanePeak] / s().SpectrumMax) palvanePeak = bin;
    }
    EXPECT_EQ(palvanePeak, enginePeak);
  }
}

}  // namespace
}  // namespace palvane
