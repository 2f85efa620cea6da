#include "sweep/result_file.h"

#include <gtest/gtest.h>

#include <string>

#include "text_files/file_error.h"

namespace {

// A Result.dat whose every value tells where it stands: 100 * line + column.
std::string labelledResultFile() {
  std::string text;
  for (int line = 1; line <= 156; ++line) {
    const bool reference = line == 1 || line == 53 || line == 105;
    for (int column = 1; column <= (reference ? 1 : 76); ++column) {
      text += "  " + std::to_string(100 * line + column) + ".0E+00";
    }
    text += "\r\n";
  }
  return text;
}

TEST(ResultFile, TakesTheReferencesAndTheAxisValuesAtFiveTenAndFifteenCentimetres) {
  const sweep::ResultSummary summary = sweep::readResultText(labelledResultFile());
  EXPECT_EQ(summary.energyFluence, 101);
  EXPECT_EQ(summary.airKerma, 5301);
  EXPECT_EQ(summary.halfValueLayer, 10501);
  // Y = 0 is the first map line; X = 5, 10, 15 cm are columns 26, 51 and 76.
  EXPECT_EQ(summary.relativeAirKerma, (std::array<double, 3>{5426, 5451, 5476}));
  EXPECT_EQ(summary.relativeHalfValueLayer, (std::array<double, 3>{10626, 10651, 10676}));
}

TEST(ResultFile, ShortOrGarbledTextsAreReportedWithTheFileName) {
  const std::string whole = labelledResultFile();
  std::string garbled = whole;
  garbled.replace(garbled.find("5426.0E+00"), 10, "**********");
  const std::vector<std::string> bad{whole.substr(0, whole.size() / 2), garbled};
  for (const std::string& content : bad) {
    try {
      sweep::readResultText(content);
      ADD_FAILURE() << "accepted";
    } catch (const palvane::FileError& error) {
      EXPECT_NE(std::string(error.what()).find("Result.dat"), std::string::npos) << error.what();
    }
  }
}

}  // namespace
