#include "engine/table_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "caught_message.h"
#include "engine/input_error.h"
#include "engine/numeric_field.h"
#include "scratch_directory.h"
#include "test_paths.h"

namespace engine {
namespace {

// A MUs3.dat line in the layout (E9.3,9E13.5) whose column c (2..10) holds the whole
// number 1000 * c + line, so that every value tells where it was read from.
std::string coefficientLine(int line) {
  std::string text;
  char field[32];
  std::snprintf(field, sizeof field, "%9.3E", 0.2 * line);
  text += field;
  for (int column = 2; column <= 10; ++column) {
    std::snprintf(field, sizeof field, "%13.5E", 1000.0 * column + line);
    text += field;
  }
  return text;
}

// The first `count` lines of such a table, each ended by CR LF.
std::string coefficientLines(int count) {
  std::string text;
  for (int line = 1; line <= count; ++line) text += coefficientLine(line) + "\r\n";
  return text;
}

// A Mo-STP.dat of 20 ascending rows: energy 2.5 * row keV, stopping power 100 / row.
std::string stoppingPowerLines(int count) {
  std::string text;
  for (int row = 1; row <= count; ++row) {
    char line[32];
    std::snprintf(line, sizeof line, "%4.1f%12.3E\r\n", 2.5 * row, 100.0 / row);
    text += line;
  }
  return text;
}

TEST(ReadCoefficientTable, FillsTheSevenColumnsByLine) {
  ScratchDirectory directory;
  // A line beyond 250 is not read, whatever it holds.
  const auto file = directory.write("MUs3.dat", coefficientLines(250) + "not a table line\r\n");
  const CoefficientTable table = readCoefficientTable(file);
  for (int bin : {1, 2, 125, 250}) {
    const float line = static_cast<float>(bin);
    EXPECT_EQ(table.muMo[bin], 2000.0f + line) << bin;
    EXPECT_EQ(table.muRh[bin], 3000.0f + line) << bin;
    EXPECT_EQ(table.muAl[bin], 4000.0f + line) << bin;
    EXPECT_EQ(table.muBe[bin], 5000.0f + line) << bin;
    EXPECT_EQ(table.muAir[bin], 7000.0f + line) << bin;
    EXPECT_EQ(table.muEnAir[bin], 8000.0f + line) << bin;
    EXPECT_EQ(table.muW[bin], 10000.0f + line) << bin;
  }
}

TEST(ReadCoefficientTable, ReadsEachFieldFromItsOwnCharacters) {
  ScratchDirectory directory;
  // Line 1: the program-written layout, with text after the last field. Line 2: numbers
  // without a point (implied decimals), blank fields, and a line that ends early.
  const std::string line1 =
      " .200E+00   .41750E+05   .61289E+05   .14256E+06   .88285E+05   .91520E+04"
      "   .11830E+02   .98156E+04   .11892E+05   .30604E+06 and a remark";
  const std::string line2 = "      400  0.12345E+02        12345               +7.5E-1";
  const auto file = directory.write(
      "MUs3.dat", line1 + "\r\n" + line2 + "\n" + coefficientLines(250).substr(2 * 128));
  const CoefficientTable table = readCoefficientTable(file);
  EXPECT_EQ(table.muMo[1], 41750.0f);
  EXPECT_EQ(table.muRh[1], 61289.0f);
  EXPECT_EQ(table.muAl[1], 142560.0f);
  EXPECT_EQ(table.muBe[1], 88285.0f);
  EXPECT_EQ(table.muAir[1], 11.83f);
  EXPECT_EQ(table.muEnAir[1], 9815.6f);
  EXPECT_EQ(table.muW[1], 306040.0f);
  EXPECT_EQ(table.muMo[2], 12.345f);
  EXPECT_EQ(table.muRh[2], 0.12345f);
  EXPECT_EQ(table.muAl[2], 0.0f);
  EXPECT_EQ(table.muBe[2], 0.75f);
  EXPECT_EQ(table.muAir[2], 0.0f);
  EXPECT_EQ(table.muW[2], 0.0f);
  EXPECT_EQ(table.muMo[3], 2003.0f);
}

TEST(ReadCoefficientTable, ReportsTheFileLineAndFieldOfBadInput) {
  ScratchDirectory directory;
  EXPECT_EQ(caughtMessage<InputError>([&] { readCoefficientTable(directory.path() / "MUs3.dat"); }),
            "MUs3.dat: cannot be opened (No such file or directory)");

  const auto readError = [&](const std::string& contents) {
    const auto file = directory.write("MUs3.dat", contents);
    return caughtMessage<InputError>([&] { readCoefficientTable(file); });
  };
  EXPECT_EQ(readError(coefficientLines(249)), "MUs3.dat: 249 lines, 250 needed");
  EXPECT_EQ(readError(""), "MUs3.dat: 0 lines, 250 needed");

  std::string letters = coefficientLines(250);
  const std::size_t line12 = 11 * (126 + 2);
  letters.replace(line12 + 9 + 2 * 13, 13, "           ab");  // field 4
  EXPECT_EQ(readError(letters), "MUs3.dat, line 12, field 4: \"ab\"" + std::string(kNotANumber));

  std::string tooLarge = coefficientLines(250);
  tooLarge.replace(2 * (126 + 2) + 9, 13, "       1.0E39");  // line 3, field 2
  EXPECT_EQ(readError(tooLarge),
            "MUs3.dat, line 3, field 2: 1.0E39" + std::string(kBeyondSinglePrecision));
}

TEST(ReadCoefficientTable, EnergyColumnMustGiveTheLineNumber) {
  ScratchDirectory directory;
  const auto readError = [&](const std::string& contents) {
    const auto file = directory.write("MUs3.dat", contents);
    return caughtMessage<InputError>([&] { readCoefficientTable(file); });
  };
  std::string lines[252];
  for (int line = 1; line <= 251; ++line) lines[line] = coefficientLine(line) + "\r\n";
  const auto table = [&](std::initializer_list<int> order) {
    std::string text;
    for (int line : order) text += line == 0 ? "\r\n" : lines[line];
    for (int line = static_cast<int>(order.size()) + 1; line <= 251; ++line) text += lines[line];
    return text;
  };
  const std::string suffix(kEnergyMustFollowLine);
  // Line 10 doubled, line 10 left out, lines 10 and 11 swapped, a blank line in front.
  EXPECT_EQ(readError(table({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10})),
            "MUs3.dat, line 11, field 1: photon energy 2 keV, but line 11 is for 2.2 keV" + suffix);
  EXPECT_EQ(readError(table({1, 2, 3, 4, 5, 6, 7, 8, 9, 11})),
            "MUs3.dat, line 10, field 1: photon energy 2.2 keV, but line 10 is for 2 keV" + suffix);
  EXPECT_EQ(readError(table({1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 10})),
            "MUs3.dat, line 10, field 1: photon energy 2.2 keV, but line 10 is for 2 keV" + suffix);
  EXPECT_EQ(readError(table({0})),
            "MUs3.dat, line 1, field 1: photon energy 0 keV, but line 1 is for 0.2 keV" + suffix);

  // Within half a unit of the third significant digit, as .496E+02 is printed.
  std::string rounded = coefficientLines(250);
  rounded.replace(247 * 128, 9, " .4964E+2");
  EXPECT_NO_THROW(readCoefficientTable(directory.write("MUs3.dat", rounded)));
  rounded.replace(247 * 128, 9, " .4966E+2");
  EXPECT_EQ(readError(rounded),
            "MUs3.dat, line 248, field 1: photon energy 49.66 keV, but line "
            "248 is for 49.6 keV" +
                suffix);
}

TEST(ReadCoefficientTable, NegativeCoefficientNamesItsLineAndField) {
  ScratchDirectory directory;
  for (int field : {2, 5, 10}) {
    std::string contents = coefficientLines(250);
    contents.replace(14 * 128 + 9 + 13 * (field - 2), 13, "     -1.0E+37");
    const auto file = directory.write("MUs3.dat", contents);
    EXPECT_EQ(caughtMessage<InputError>([&] { readCoefficientTable(file); }),
              "MUs3.dat, line 15, field " + std::to_string(field) + ": " +
                  std::string(kCoefficientNegative));
  }
}

TEST(ReadCoefficientTable, ReadsTheDeliveredTable) {
  const CoefficientTable table =
      readCoefficientTable(std::filesystem::path(testpaths::kDataDir) / "MUs3.dat");
  for (int bin = 1; bin <= kBinCount; ++bin) {
    EXPECT_GT(table.muMo[bin], 0.0f) << bin;
    EXPECT_GT(table.muW[bin], 0.0f) << bin;
  }
}

TEST(ReadStoppingPowerTable, ReadsTwentyRowsInFileOrder) {
  ScratchDirectory directory;
  // Row 1 in the program-written layout, row 2 with implied decimals; a 21st line is
  // not read.
  const std::string rows =
      "  .5    .592E+02\r\n 10      45400\r\n" + stoppingPowerLines(20).substr(2 * 18) + "junk\r\n";
  const StoppingPowerTable table = readStoppingPowerTable(directory.write("Mo-STP.dat", rows));
  EXPECT_EQ(table.energy[0], 0.5f);
  EXPECT_EQ(table.stoppingPower[0], 59.2f);
  EXPECT_EQ(table.energy[1], 1.0f);
  EXPECT_EQ(table.stoppingPower[1], 45.4f);
  EXPECT_EQ(table.energy[19], 50.0f);
  EXPECT_EQ(table.stoppingPower[19], 5.0f);
}

TEST(ReadStoppingPowerTable, RejectsShortFilesAndValuesThatCannotBeInterpolated) {
  ScratchDirectory directory;
  const auto readError = [&](const std::string& contents) {
    const auto file = directory.write("Mo-STP.dat", contents);
    return caughtMessage<InputError>([&] { readStoppingPowerTable(file); });
  };
  EXPECT_EQ(readError(stoppingPowerLines(19)), "Mo-STP.dat: 19 lines, 20 needed");

  std::string notAscending = stoppingPowerLines(20);
  notAscending.replace(4 * 18, 4, " 5.0");  // row 5 falls below row 4 (10.0 keV)
  EXPECT_EQ(readError(notAscending),
            "Mo-STP.dat, line 5, field 1: " + std::string(kEnergyMustAscend));

  std::string zeroEnergy = stoppingPowerLines(20);
  zeroEnergy.replace(0, 4, "    ");
  EXPECT_EQ(readError(zeroEnergy),
            "Mo-STP.dat, line 1, field 1: " + std::string(kEnergyMustAscend));

  std::string blankPower = stoppingPowerLines(20);
  blankPower.replace(7 * 18 + 4, 12, "            ");
  EXPECT_EQ(readError(blankPower),
            "Mo-STP.dat, line 8, field 2: " + std::string(kStoppingPowerMustBePositive));
}

TEST(ReadStoppingPowerTable, ReadsTheDeliveredTable) {
  const StoppingPowerTable table =
      readStoppingPowerTable(std::filesystem::path(testpaths::kDataDir) / "Mo-STP.dat");
  EXPECT_EQ(table.energy[1], 1.0f);
  EXPECT_NEAR(table.stoppingPower[1], 45.4f, 0.5f);
  EXPECT_EQ(table.energy[19], 50.0f);
  EXPECT_NEAR(table.stoppingPower[19], 3.85f, 0.05f);
}

}  // namespace
}  // namespace engine
