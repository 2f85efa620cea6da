#include "engine/output_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace engine {
namespace {

// The records of a file whose every line must end with CR LF; a lone CR or LF fails.
std::vector<std::string> crLfRecords(const std::string& text) {
  std::vector<std::string> records;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text after the last CR LF";
      break;
    }
    records.push_back(text.substr(start, end - start));
    EXPECT_EQ(records.back().find_first_of("\r\n"), std::string::npos);
    start = end + 2;
  }
  return records;
}

BeamParameters typicalSettings() {
  BeamParameters parameters;
  parameters.targetCode = 0;
  parameters.tubeVoltage = 28.0f;
  parameters.targetAngle = 22.0f;
  parameters.tiltAngle = 0.0f;
  parameters.beryllium = 0.8f * 0.1f;
  parameters.molybdenum = 0.03f * 0.1f;
  parameters.rhodium = 0.5f * 0.1f;
  parameters.airLayer = 60.0f;
  return parameters;
}

TEST(BeamAxisText, HoldsSettingsSpectrumAndSummary) {
  Spectrum spectrum{};
  spectrum[10] = 1.0f;
  spectrum[20] = 2.0f;
  PointQuantities quantities;
  quantities.peak = 2.0f;
  quantities.photonFluence = 12.345f;
  quantities.energyFluence = 0.000123456f;
  quantities.airKerma = 0.999996f;
  quantities.hvl = 0.5f;
  const std::vector<std::string> records =
      crLfRecords(beamAxisText(typicalSettings(), spectrum, quantities));
  ASSERT_EQ(records.size(), 264u);
  const std::vector<std::string> settings = {" 0",     " 28.0",  " 22.0",  "   .0", "  .800",
                                             "  .000", "  .030", "  .500", " 60.0"};
  for (std::size_t line = 0; line < settings.size(); ++line) {
    EXPECT_EQ(records[line], settings[line]) << "line " << line + 1;
  }
  EXPECT_EQ(records[9], "    .2   .00000");    // bin 1 is always empty
  EXPECT_EQ(records[18], "   2.0   .50000");   // bin 10
  EXPECT_EQ(records[28], "   4.0  1.00000");   // bin 20, the peak
  EXPECT_EQ(records[258], "  50.0   .00000");  // bin 250
  for (int line = 10; line <= 259; ++line) EXPECT_EQ(records[line - 1].size(), 15u) << line;
  EXPECT_EQ(records[259], " .20000E+01");
  EXPECT_EQ(records[260], " .12345E+02");
  EXPECT_EQ(records[261], " .12346E-03");
  EXPECT_EQ(records[262], " .10000E+01");
  EXPECT_EQ(records[263], " .50000E+00");
}

TEST(BeamAxisText, HoldsZeroRelativeValuesWhenThePeakIsZero) {
  Spectrum spectrum{};
  spectrum[30] = 1.0f;  // 1 / 0 would be infinite, 0 / 0 not a number
  const std::vector<std::string> records =
      crLfRecords(beamAxisText(typicalSettings(), spectrum, PointQuantities{}));
  ASSERT_EQ(records.size(), 264u);
  for (int line = 10; line <= 259; ++line) {
    EXPECT_EQ(records[line - 1].substr(6), "   .00000") << "line " << line;
  }
  EXPECT_EQ(records[259], " .00000E+00");
}

RelativeMaps sampleMaps() {
  RelativeMaps maps;
  maps.fluenceReference = 12.345f;
  maps.kermaReference = 0.000123456f;
  maps.hvlReference = 0.5f;
  for (RelativeMaps::Map* map : {&maps.fluence, &maps.kerma, &maps.hvl}) {
    (*map)[mapIndex(1, 1)] = 1.0f;
  }
  maps.fluence[mapIndex(3, 2)] = 0.25f;
  maps.kerma[mapIndex(76, 51)] = 0.999996f;
  maps.hvl[mapIndex(2, 1)] = 1.5f;
  return maps;
}

TEST(ResultText, LaysOutThreeReferenceValuesAndMapsOf836CharacterRows) {
  const std::vector<std::string> records = crLfRecords(resultText(sampleMaps()));
  ASSERT_EQ(records.size(), 156u);
  EXPECT_EQ(records[0], " .12345E+02");
  EXPECT_EQ(records[52], " .12346E-03");
  EXPECT_EQ(records[104], " .50000E+00");
  for (int line : {2, 52, 54, 104, 106, 156}) {
    EXPECT_EQ(records[line - 1].size(), 836u) << "line " << line;
  }
  const auto field = [&](int line, int column) {
    return records[line - 1].substr(11 * (column - 1), 11);
  };
  // The reference point holds 1 in all three maps.
  for (int line : {2, 54, 106}) EXPECT_EQ(field(line, 1), "  .1000E+01") << line;
  EXPECT_EQ(field(2, 2), "  .0000E+00");
  EXPECT_EQ(field(3, 3), "  .2500E+00");     // fluence at X_3, Y_2
  EXPECT_EQ(field(104, 76), "  .1000E+01");  // kerma at X_76, Y_51, carried to 1.000
  EXPECT_EQ(field(106, 2), "  .1500E+01");
}

TEST(ResultText, ReadsBackValueByValueInFileOrder) {
  const RelativeMaps maps = sampleMaps();
  // A reader that splits on blanks and line ends, as the interactive program does.
  std::istringstream text(resultText(maps));
  std::vector<float> values;
  for (std::string word; text >> word;) values.push_back(std::strtof(word.c_str(), nullptr));
  ASSERT_EQ(values.size(), 3u * (1 + kColumnCount * kRowCount));
  const std::size_t block = 1 + kColumnCount * kRowCount;
  EXPECT_FLOAT_EQ(values[0], 12.345f);
  EXPECT_FLOAT_EQ(values[block], 0.00012346f);
  EXPECT_FLOAT_EQ(values[2 * block], 0.5f);
  for (std::size_t index = 0; index < maps.fluence.size(); ++index) {
    EXPECT_NEAR(values[1 + index], maps.fluence[index], 5e-5f) << index;
    EXPECT_NEAR(values[block + 1 + index], maps.kerma[index], 5e-5f) << index;
    EXPECT_NEAR(values[2 * block + 1 + index], maps.hvl[index], 5e-5f) << index;
  }
}

TEST(ResultText, EmptyMapsKeepTheWholeLayout) {
  EXPECT_EQ(resultText(RelativeMaps{}).size(), 3u * (11 + 2 + kRowCount * (836 + 2)));
}

}  // namespace
}  // namespace engine
