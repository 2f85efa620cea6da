#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "palvane/physics/point_spectrum.h"
#include "palvane_physics/spectrum_fixture.h"
#include "text_files/file_error.h"

namespace palvane {
namespace {

using Kind = RecordingSurface::Kind;

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class PointSpectrumOutputTest : public SpectrumTest {
 protected:
  // Bins 2..150 hold i / 100, bin 87 the peak 4.
  void fillRisingSpectrum() {
    for (int bin = 2; bin <= 150; ++bin) s().Spectrum[bin] = bin / 100.0;
    s().Spectrum[87] = 4.0;
  }
};

TEST_F(PointSpectrumOutputTest, BeamAxisDrawsTheStepCurve) {
  fillRisingSpectrum();
  ASSERT_EQ(PointSpectrumOutput(150), PointSpectrumOutcome::kDrawn);
  const auto& calls = spectrumGraph_.calls;
  ASSERT_EQ(calls.size(), 2u + 500u + 2u);
  EXPECT_EQ(calls[0].width, 2);
  EXPECT_EQ(calls[1].kind, Kind::kPoint);
  EXPECT_EQ(calls[1].colour, colours::kWhite);
  EXPECT_EQ(std::pair(calls[1].x1, calls[1].y1), std::pair(1000.0, 2100.0));
  for (int bin = 1; bin <= 250; ++bin) {
    const auto& left = calls[2 * bin];
    const auto& right = calls[2 * bin + 1];
    ASSERT_EQ(left.kind, Kind::kLineTo);
    ASSERT_EQ(right.colour, colours::kLightRed);
    ASSERT_EQ(std::pair(left.x2, right.x2), std::pair(990.0 + 20.0 * bin, 1010.0 + 20.0 * bin));
    ASSERT_EQ(left.y2, right.y2);
  }
  EXPECT_EQ(calls[2 * 87].y2, 100.0);    // the peak at the top of the frame
  EXPECT_EQ(calls[2 * 200].y2, 2100.0);  // bins above N on the base line
  EXPECT_DOUBLE_EQ(calls[2 * 40].y2, 2100.0 - 2000.0 * 0.1);
  EXPECT_EQ(calls[502].width, 2);
  EXPECT_EQ(calls[503].kind, Kind::kLine);  // the black base line over the curve
  EXPECT_EQ(calls[503].colour, colours::kBlack);
  EXPECT_EQ(std::pair(calls[503].x1, calls[503].x2), std::pair(1000.0, 6000.0));
  EXPECT_TRUE(displayGraph_.calls.empty());
}

TEST_F(PointSpectrumOutputTest, BeamAxisWritesTheSpectrumFileAndKeepsThePeak) {
  fillRisingSpectrum();
  ASSERT_EQ(PointSpectrumOutput(150), PointSpectrumOutcome::kDrawn);
  const std::vector<std::string> lines = linesOf(scratch_.read("B_SPCTL.dat"));
  ASSERT_EQ(lines.size(), 251u);
  EXPECT_EQ(lines[0], "0000.2  0.00000");  // bin 1 holds nothing
  EXPECT_EQ(lines[1], "0000.4  0.00500");  // 0.02 / 4
  EXPECT_EQ(lines[86], "0017.4  1.00000");
  EXPECT_EQ(lines[149], "0030.0  0.37500");  // 1.5 / 4
  EXPECT_EQ(lines[150], "0030.2  0.00000");
  EXPECT_EQ(lines[249], "0050.0  0.00000");
  EXPECT_EQ(lines[250], "4.0000E+00");
  EXPECT_EQ(s().SpectrumMax, 4.0);
  EXPECT_EQ(s().AxisSpectrumMax, 4.0);
  EXPECT_FALSE(std::filesystem::exists(scratch_.path() / "B_SPCTL.dat.tmp"));
}

TEST_F(PointSpectrumOutputTest, ThePeakIsSoughtOnlyUpToN) {
  for (int bin = 2; bin <= 50; ++bin) s().Spectrum[bin] = 5.0;
  s().Spectrum[100] = 10.0;  // a line bin above N keeps its amount and is drawn and written
  ASSERT_EQ(PointSpectrumOutput(50), PointSpectrumOutcome::kDrawn);
  EXPECT_EQ(s().SpectrumMax, 5.0);
  EXPECT_EQ(linesOf(scratch_.read("B_SPCTL.dat"))[99], "0020.0  2.00000");
  EXPECT_EQ(spectrumGraph_.calls[200].y2, 2100.0 - 4000.0);
}

TEST_F(PointSpectrumOutputTest, PickedPointDrawsPercentOfTheBeamAxisPeak) {
  fillRisingSpectrum();
  s().PointMode = 1;
  s().AxisSpectrumMax = 8.0;
  displayGraph_.fore = colours::kRed;
  ASSERT_EQ(PointSpectrumOutput(150), PointSpectrumOutcome::kDrawn);
  const auto& calls = displayGraph_.calls;
  ASSERT_EQ(calls.size(), 1u + 250u + 1u);
  EXPECT_EQ(calls[0].kind, Kind::kPoint);
  EXPECT_EQ(calls[0].colour, colours::kLightBlue);
  EXPECT_EQ(std::pair(calls[0].x1, calls[0].y1), std::pair(0.0, 0.0));
  EXPECT_EQ(calls[87].kind, Kind::kLineTo);
  EXPECT_DOUBLE_EQ(calls[87].x2, 17.4);
  EXPECT_EQ(calls[87].y2, 50.0);  // 4 of 8
  EXPECT_EQ(calls[250].y2, 0.0);
  EXPECT_EQ(calls[251].kind, Kind::kRectangle);
  EXPECT_EQ(calls[251].colour, colours::kRed);  // the picture's fore colour
  EXPECT_EQ(calls[251].width, 0);               // outline only
  EXPECT_EQ(std::pair(calls[251].x2, calls[251].y2), std::pair(50.0, 120.0));
  EXPECT_EQ(s().SpectrumMax, 8.0);
  EXPECT_EQ(s().AxisSpectrumMax, 8.0);
  EXPECT_FALSE(std::filesystem::exists("B_SPCTL.dat"));
  EXPECT_TRUE(spectrumGraph_.calls.empty());
}

TEST_F(PointSpectrumOutputTest, NoNormaliserDrawsAndWritesNothing) {
  scratch_.write("B_SPCTL.dat", "earlier");
  s().AxisSpectrumMax = 3.0;
  s().Spectrum[5] = -1.0;  // nothing positive on the beam axis
  EXPECT_EQ(PointSpectrumOutput(150), PointSpectrumOutcome::kNoNormaliser);
  EXPECT_EQ(s().SpectrumMax, 0.0);
  EXPECT_EQ(s().AxisSpectrumMax, 3.0);

  s().PointMode = 1;  // no beam-axis peak known yet
  s().AxisSpectrumMax = 0.0;
  fillRisingSpectrum();
  EXPECT_EQ(PointSpectrumOutput(150), PointSpectrumOutcome::kNoNormaliser);

  EXPECT_TRUE(spectrumGraph_.calls.empty());
  EXPECT_TRUE(displayGraph_.calls.empty());
  EXPECT_EQ(scratch_.read("B_SPCTL.dat"), "earlier");
}

TEST_F(PointSpectrumOutputTest, NonFiniteValuesAreNeitherDrawnNorWritten) {
  fillRisingSpectrum();
  s().Spectrum[30] = std::numeric_limits<double>::infinity();
  EXPECT_EQ(PointSpectrumOutput(150), PointSpectrumOutcome::kOutsideModel);
  s().Spectrum[30] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(PointSpectrumOutput(150), PointSpectrumOutcome::kOutsideModel);
  s().Spectrum[30] = 1.0;
  s().PointMode = 1;
  s().AxisSpectrumMax = 1e-308;  // percentages beyond the range of a double
  EXPECT_EQ(PointSpectrumOutput(150), PointSpectrumOutcome::kOutsideModel);
  EXPECT_TRUE(spectrumGraph_.calls.empty());
  EXPECT_TRUE(displayGraph_.calls.empty());
  EXPECT_FALSE(std::filesystem::exists("B_SPCTL.dat"));
}

TEST_F(PointSpectrumOutputTest, AFileThatCannotBeWrittenIsNamed) {
  std::filesystem::create_directory("B_SPCTL.dat");
  fillRisingSpectrum();
  EXPECT_THAT([] { PointSpectrumOutput(150); },
              ::testing::ThrowsMessage<FileError>(::testing::HasSubstr("B_SPCTL.dat")));
  EXPECT_EQ(s().AxisSpectrumMax, 0.0);
}

}  // namespace
}  // namespace palvane
