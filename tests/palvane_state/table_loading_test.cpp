#include "palvane/state/table_loading.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "palvane/state/shared_state.h"
#include "test_paths.h"
#include "text_files/file_error.h"
#include "text_files/scratch_directory.h"

namespace palvane {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

// A value that tells row and column apart: row * 100 + column.
double tableValue(int row, int column) { return row * 100.0 + column; }

// MUs3.dat in its own layout: one row a line, the photon energy of bin i (0.2 i keV) in
// front, printed as the real table prints it.
std::string coefficientTable() {
  std::string text;
  for (int row = 1; row <= 250; ++row) {
    char energy[16];
    std::snprintf(energy, sizeof energy, "%.3E", 0.2 * row);
    text += energy;
    for (int column = 2; column <= 10; ++column)
      text += " " + std::to_string(tableValue(row, column));
    text += "\r\n";
  }
  return text;
}

std::string stoppingPowerTable(int rows) {
  std::string text;
  for (int row = 1; row <= rows; ++row) {
    text += std::to_string(row * 2.5) + "," + std::to_string(100.0 / row) + "\r\n";
  }
  return text;
}

class TableLoading : public ::testing::Test {
 protected:
  void SetUp() override { state() = SharedState{}; }
  void TearDown() override { state() = SharedState{}; }
  ScratchDirectory scratch_;
};

void expectCoefficientsLoaded() {
  const SharedState& s = state();
  for (int bin = 1; bin <= 250; ++bin) {
    ASSERT_EQ(s.MuMo[bin], tableValue(bin, 2)) << bin;
    ASSERT_EQ(s.MuRh[bin], tableValue(bin, 3)) << bin;
    ASSERT_EQ(s.MuAl[bin], tableValue(bin, 4)) << bin;
    ASSERT_EQ(s.MuBe[bin], tableValue(bin, 5)) << bin;
    ASSERT_EQ(s.MuAir[bin], tableValue(bin, 7)) << bin;
    ASSERT_EQ(s.MuEnAir[bin], tableValue(bin, 8)) << bin;
    ASSERT_EQ(s.MuW[bin], tableValue(bin, 10)) << bin;
  }
}

TEST_F(TableLoading, LoadsColumnsByBinAndSetsPi) {
  scratch_.write("MUs3.dat", coefficientTable());
  scratch_.write("Mo-STP.dat", stoppingPowerTable(20));
  LoadTables(scratch_.path());
  expectCoefficientsLoaded();
  EXPECT_EQ(state().MoStp[0][1], 2.5);
  EXPECT_EQ(state().MoStp[1][1], 100.0);
  EXPECT_EQ(state().MoStp[0][20], 50.0);
  EXPECT_EQ(state().MoStp[1][20], 5.0);
  EXPECT_EQ(state().Pi, 3.14159);
}

TEST_F(TableLoading, EachLineMustHoldTheEnergyOfItsBin) {
  scratch_.write("Mo-STP.dat", stoppingPowerTable(20));
  const std::string table = coefficientTable();
  const std::size_t line10 = table.find("2.000E+00");
  const std::size_t line11 = table.find("2.200E+00");
  const std::string row10 = table.substr(line10, line11 - line10);
  std::string withoutLineFeeds = table;
  std::erase(withoutLineFeeds, '\n');
  struct Case {
    std::string text;
    const char* where;
  };
  const Case cases[] = {
      {"\r\n" + table, "line 1, field 1: \"\""},
      {table.substr(0, line11) + row10 + table.substr(line11), "line 11, field 1: \"2.000E+00\""},
      {table.substr(0, line10) + table.substr(line11), "line 10, field 1: \"2.200E+00\""},
      // An exponent running into the next field is not a number (nor an integer overflow).
      {"0.0E+0299999999999999999999" + table.substr(9), "line 1, field 1: \"0.0E+02999"},
      // Cut inside a line, or without line feeds: the first missing line is named.
      {table.substr(0, line10 + 4), "line 11: missing (10 lines, 250 needed)"},
      {withoutLineFeeds, "line 2: missing (1 line, 250 needed)"}};
  for (const Case& bad : cases) {
    scratch_.write("MUs3.dat", bad.text);
    EXPECT_THAT(
        [&] { LoadTables(scratch_.path()); },
        ::testing::ThrowsMessage<FileError>(AllOf(HasSubstr("MUs3.dat, "), HasSubstr(bad.where))));
    EXPECT_EQ(state().MuMo[1], 0.0);
  }
  // The table as shipped passes.
  EXPECT_NO_THROW(LoadTables(testpaths::kDataDir));
}

TEST_F(TableLoading, ExtraRowsAreIgnoredAndIndexZeroStaysZero) {
  scratch_.write("MUs3.dat", coefficientTable() + "9 9 9 9 9 9 9 9 9 9\r\n");
  scratch_.write("Mo-STP.dat", stoppingPowerTable(25));
  LoadTables(scratch_.path());
  const SharedState& s = state();
  EXPECT_EQ(s.MoStp[0][20], 50.0);
  EXPECT_EQ(s.MuW[250], tableValue(250, 10));
  for (const BinArray* column :
       {&s.MuMo, &s.MuRh, &s.MuAl, &s.MuBe, &s.MuAir, &s.MuEnAir, &s.MuW}) {
    EXPECT_EQ((*column)[0], 0.0);
  }
  EXPECT_EQ(s.MoStp[0][0], 0.0);
  EXPECT_EQ(s.MoStp[1][0], 0.0);
}

TEST_F(TableLoading, MissingOrShortFilesAreNamedAndNothingIsStored) {
  EXPECT_THAT([&] { LoadTables(scratch_.path()); },
              ::testing::ThrowsMessage<FileError>(HasSubstr("MUs3.dat")));

  scratch_.write("MUs3.dat", coefficientTable());
  scratch_.write("Mo-STP.dat", stoppingPowerTable(19));
  EXPECT_THAT([&] { LoadTables(scratch_.path()); },
              ::testing::ThrowsMessage<FileError>(
                  AllOf(HasSubstr("Mo-STP.dat"), HasSubstr("after 38 values"))));
  EXPECT_EQ(state().MuMo[1], 0.0);
  EXPECT_EQ(state().Pi, 0.0);
}

TEST_F(TableLoading, ReadsFromTheWorkingDirectory) {
  scratch_.write("MUs3.dat", coefficientTable());
  scratch_.write("Mo-STP.dat", stoppingPowerTable(20));
  WorkingDirectory inScratch(scratch_.path());
  LoadTables();
  EXPECT_EQ(state().MuAir[3], tableValue(3, 7));
}

}  // namespace
}  // namespace palvane
