// Whole runs of the molybdenum engine in a scratch directory with the shipped tables.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dornic/molybdenum_model.h"
#include "dornic/run_directory.h"

namespace {

using testrun::RunDirectory;
using testrun::settingsText;
using testrun::splitLines;

constexpr const char* kExpectedConsole =
    " \n \n \n"
    "         ---     計算を開始しました    ---\n \n"
    "         ---  しばらくお待ちください   ---\n \n"
    "         ---     計算が終了しました    ---\n \n"
    "         ---    Enter を押して下さい   ---\n"
    "Stop - Program terminated.\n";

testrun::RunOutcome runWith(const RunDirectory& directory, const std::string& settings) {
  directory.write("B2F.dat", settings);
  dornic::MolybdenumModel model;
  return directory.run(model);
}

// Field k (1-based) of a map row of Result.dat.
std::string mapField(const std::string& row, int column) {
  return row.substr(static_cast<std::size_t>(column - 1) * 11, 11);
}

TEST(DornicRun, DefaultStudyGivesTheDialogueAndBothFiles) {
  RunDirectory directory;
  const testrun::RunOutcome outcome = runWith(directory, testrun::defaultSettings());
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, kExpectedConsole);
  EXPECT_EQ(outcome.err, "");

  const std::vector<std::string> axis = splitLines(directory.read("Beam_Axis.dat"));
  ASSERT_EQ(axis.size(), 264u);
  EXPECT_EQ(axis[0], " 0");
  EXPECT_EQ(axis[1], " 28.0");
  EXPECT_EQ(axis[4], "  .800");
  EXPECT_EQ(axis[6], "  .030");
  EXPECT_EQ(axis[8], " 60.0");
  EXPECT_EQ(axis[9], "    .2   .00000");  // bin 1 is always empty
  EXPECT_EQ(axis[9 + 140 - 1].substr(0, 6), "  28.0");
  EXPECT_NE(axis[9 + 140 - 1].substr(8), "  .00000");  // N = 140 carries radiation
  EXPECT_EQ(axis[9 + 141 - 1], "  28.2   .00000");
  // The largest bin is a molybdenum line (17.4 keV).
  EXPECT_EQ(axis[9 + 87 - 1], "  17.4  1.00000");

  const std::vector<std::string> result = splitLines(directory.read("Result.dat"));
  ASSERT_EQ(result.size(), 156u);
  for (int line : {1, 53, 105}) EXPECT_EQ(result[line - 1].size(), 11u) << line;
  for (int line : {2, 52, 54, 104, 106, 156}) EXPECT_EQ(result[line - 1].size(), 836u) << line;
  for (int line : {2, 54, 106}) EXPECT_EQ(mapField(result[line - 1], 1), "  .1000E+01") << line;
  // The reference values are the axis values of Beam_Axis.dat.
  EXPECT_EQ(result[0], axis[261]);
  EXPECT_EQ(result[52], axis[262]);
  EXPECT_EQ(result[104], axis[263]);
}

TEST(DornicRun, HighestBinFollowsTheSinglePrecisionVoltage) {
  RunDirectory directory;
  // 28.4 kV is held as 28.39999..., so N = 141 and bin 142 (28.4 keV) stays empty.
  ASSERT_EQ(
      runWith(directory, settingsText("28.4", "22.0", "00.0", "00.80", "00.00", "00.030", "00.000"))
          .status,
      0);
  std::vector<std::string> axis = splitLines(directory.read("Beam_Axis.dat"));
  EXPECT_NE(axis[9 + 141 - 1].substr(8), "  .00000");
  EXPECT_EQ(axis[9 + 142 - 1], "  28.4   .00000");

  ASSERT_EQ(
      runWith(directory, settingsText("50.0", "22.0", "00.0", "00.80", "00.00", "00.030", "00.000"))
          .status,
      0);
  axis = splitLines(directory.read("Beam_Axis.dat"));
  EXPECT_EQ(axis[9 + 250 - 1].substr(0, 6), "  50.0");
  EXPECT_NE(axis[9 + 250 - 1].substr(8), "  .00000");
}

TEST(DornicRun, NegativeHeelCutOffComputesNothing) {
  RunDirectory directory;
  const testrun::RunOutcome outcome = runWith(
      directory, settingsText("28.0", "10.0", "-12.0", "00.80", "00.00", "00.030", "00.000"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, kExpectedConsole);
  EXPECT_FALSE(directory.exists("Beam_Axis.dat"));
  const std::vector<std::string> result = splitLines(directory.read("Result.dat"));
  ASSERT_EQ(result.size(), 156u);
  const std::string zeroRow = [] {
    std::string row;
    for (int x = 0; x < 76; ++x) row += "  .0000E+00";
    return row;
  }();
  for (std::size_t line = 0; line < result.size(); ++line) {
    const bool reference = line == 0 || line == 52 || line == 104;
    EXPECT_EQ(result[line], reference ? " .00000E+00" : zeroRow) << line + 1;
  }
}

TEST(DornicRun, ColumnsBeyondTheCutOffStayZeroAndTheCutOffColumnIsReported) {
  RunDirectory directory;
  // theta + phi puts X_max exactly on X_46 = 9.0 cm, where the path factor's denominator
  // is 0: that column cannot be computed, the columns beyond it lie outside the cut-off.
  const testrun::RunOutcome outcome = runWith(
      directory, settingsText("28.0", "10.0", "-2.11685395", "00.80", "00.00", "00.030", "00.000"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err,
            "X = 9 cm: no path out of the target at the heel cut-off; column written as 0\n");
  const std::vector<std::string> result = splitLines(directory.read("Result.dat"));
  for (int line : {2, 30, 52, 54, 106, 156}) {
    const std::string& row = result[line - 1];
    EXPECT_NE(mapField(row, 45), "  .0000E+00") << line;
    for (int column = 46; column <= 76; ++column) {
      EXPECT_EQ(mapField(row, column), "  .0000E+00") << line << " " << column;
    }
  }
}

TEST(DornicRun, HeelEffectAlongTheAnodeCathodeAxis) {
  RunDirectory directory;
  ASSERT_EQ(runWith(directory, testrun::defaultSettings()).status, 0);
  const std::vector<std::string> result = splitLines(directory.read("Result.dat"));
  // Along Y = 0, toward the heel side: less air kerma, a harder beam.
  const std::string& kerma = result[53];
  const std::string& hvl = result[105];
  for (int column = 2; column <= 76; ++column) {
    EXPECT_LT(std::stof(mapField(kerma, column)), std::stof(mapField(kerma, column - 1))) << column;
    EXPECT_GE(std::stof(mapField(hvl, column)), std::stof(mapField(hvl, column - 1))) << column;
  }
  EXPECT_GT(std::stof(mapField(hvl, 76)), std::stof(mapField(hvl, 1)));
}

// Bad input: the error names the file, the status is 2 and no output file changes.
class DornicBadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(runWith(directory_, testrun::defaultSettings()).status, 0);
    oldResult_ = directory_.read("Result.dat");
    oldAxis_ = directory_.read("Beam_Axis.dat");
  }

  void expectRejected(const std::string& expectedStart) {
    dornic::MolybdenumModel model;
    const testrun::RunOutcome outcome = directory_.run(model);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err.substr(0, expectedStart.size()), expectedStart) << outcome.err;
    EXPECT_EQ(directory_.read("Result.dat"), oldResult_);
    EXPECT_EQ(directory_.read("Beam_Axis.dat"), oldAxis_);
    // The greeting has been printed; the closing messages have not.
    EXPECT_EQ(outcome.out, std::string(kExpectedConsole).substr(0, outcome.out.size()));
    EXPECT_EQ(outcome.out.find("Stop"), std::string::npos);
  }

  RunDirectory directory_;
  std::string oldResult_;
  std::string oldAxis_;
};

TEST_F(DornicBadInput, MissingOrMalformedFiles) {
  std::filesystem::remove(directory_.path() / "Mo-STP.dat");
  expectRejected("Mo-STP.dat");
  std::filesystem::rename(directory_.path() / "MUs3.dat", directory_.path() / "saved");
  expectRejected("MUs3.dat");
  std::filesystem::rename(directory_.path() / "saved", directory_.path() / "MUs3.dat");
  std::filesystem::copy_file(std::filesystem::path(testpaths::kDataDir) / "Mo-STP.dat",
                             directory_.path() / "Mo-STP.dat");

  const std::vector<std::string> lines = splitLines(testrun::defaultSettings());
  std::string eightLines;
  for (int line = 0; line < 8; ++line) eightLines += lines[line] + "\r\n";
  directory_.write("B2F.dat", eightLines);
  expectRejected("B2F.dat");
  directory_.write("B2F.dat", "1.0\r\n" + testrun::defaultSettings().substr(3));
  expectRejected("B2F.dat, line 1");
  directory_.write("B2F.dat",
                   settingsText("28.0", "22.0", "00.0", "abc", "00.00", "00.030", "00.000"));
  expectRejected("B2F.dat, line 5");
  directory_.write("B2F.dat",
                   settingsText("1E39", "22.0", "00.0", "00.80", "00.00", "00.030", "00.000"));
  expectRejected("B2F.dat, line 2");
}

TEST_F(DornicBadInput, InputsThatAreNoTableFiles) {
  const std::filesystem::path b2f = directory_.path() / "B2F.dat";
  std::filesystem::rename(b2f, directory_.path() / "saved");
  std::filesystem::create_directory(b2f);
  expectRejected("B2F.dat: not a regular file");
  std::filesystem::remove(b2f);
  std::filesystem::rename(directory_.path() / "saved", b2f);

  const std::filesystem::path stoppingPower = directory_.path() / "Mo-STP.dat";
  std::filesystem::remove(stoppingPower);
  std::filesystem::create_symlink("/dev/zero", stoppingPower);
  expectRejected("Mo-STP.dat: not a regular file");

  std::filesystem::resize_file(directory_.path() / "MUs3.dat", 3ull << 30);
  expectRejected("MUs3.dat: larger than 1 MiB");
}

// A table value that the computation cannot use is blamed on the table, not on the
// settings whose spectrum it spoils.
TEST_F(DornicBadInput, BadCoefficientNamesTheTableLineAndField) {
  std::string table = directory_.read("MUs3.dat");
  table.replace(14 * 128 + 9 + 3 * 13, 13, "    -.1E+38  ");  // line 15, field 5
  directory_.write("MUs3.dat", table);
  expectRejected("MUs3.dat, line 15, field 5: ");
}

// A table column that cannot give a defined spectrum is blamed on the table; a setting
// beyond what the model is made for on its line of B2F.dat.
TEST_F(DornicBadInput, UndefinedSpectrumNamesTheInputAtFault) {
  const std::string table = directory_.read("MUs3.dat");
  const auto withColumn = [&](int column, const char* field) {
    std::string changed = table;
    for (std::size_t line = 0; line < 250; ++line) {
      changed.replace(line * 128 + 9 + static_cast<std::size_t>(column - 2) * 13, 13, field);
    }
    directory_.write("MUs3.dat", changed);
  };
  withColumn(8, "   .00000E+00");
  expectRejected("MUs3.dat, column 8, lines 2 to 140: ");
  withColumn(5, "   .10000E+38");
  expectRejected("MUs3.dat, column 5, lines 2 to 140: ");
  directory_.write("MUs3.dat", table);

  const std::string stoppingPowers = directory_.read("Mo-STP.dat");
  directory_.write("Mo-STP.dat", stoppingPowers.substr(0, 13 * 18 + 4) + "   1.401E-45" +
                                     stoppingPowers.substr(13 * 18 + 16));
  expectRejected("Mo-STP.dat, line 14: stopping power 1e-45 is too small");
  directory_.write("Mo-STP.dat", stoppingPowers);

  directory_.write("B2F.dat",
                   settingsText("50.1", "22.0", "00.0", "00.80", "00.00", "00.030", "00.000"));
  expectRejected("B2F.dat, line 2: tube voltage 50.1 kV is above the 50 kV");
}

TEST_F(DornicBadInput, TubeVoltageOutsideTheBins) {
  for (const char* voltage : {"50.2", "0.2", "-28.0", "1E30"}) {
    directory_.write("B2F.dat",
                     settingsText(voltage, "22.0", "00.0", "00.80", "00.00", "00.030", "00.000"));
    expectRejected("B2F.dat, line 2: ");
  }
}

TEST_F(DornicBadInput, StoppingPowerTableThatDoesNotCoverTheRun) {
  const std::vector<std::string> rows = splitLines(directory_.read("Mo-STP.dat"));
  const auto writeRows = [&](const std::vector<std::string>& table) {
    std::string text;
    for (const std::string& row : table) text += row + "\r\n";
    directory_.write("Mo-STP.dat", text);
  };
  const auto withRow = [&](std::size_t index, const std::string& row) {
    std::vector<std::string> table = rows;
    table[index] = row;
    writeRows(table);
  };
  // Starts at 1.5 keV: the table has no row for electrons just above 1.0 keV.
  std::vector<std::string> shifted(rows.begin() + 2, rows.end());
  shifted.push_back("55.0   0.350E+01");
  shifted.push_back("60.0   0.330E+01");
  writeRows(shifted);
  expectRejected("Mo-STP.dat, line 1");
  withRow(5, " 2.5   0.300E+02");  // 2.5 after 3.0: not ascending
  expectRejected("Mo-STP.dat");
  withRow(3, " 2.0  -0.300E+02");  // negative stopping power
  expectRejected("Mo-STP.dat");
  withRow(19, "40.0   0.450E+01");  // ends below the tube voltage
  directory_.write("B2F.dat",
                   settingsText("45.0", "22.0", "00.0", "00.80", "00.00", "00.030", "00.000"));
  expectRejected("Mo-STP.dat, line 20");
}

TEST_F(DornicBadInput, ReferencePointWithoutAPathOutOfTheTarget) {
  // theta + phi = 0: the denominator of the path factor is 0 on the beam axis.
  directory_.write("B2F.dat",
                   settingsText("28.0", "10.0", "-10.0", "00.80", "00.00", "00.030", "00.000"));
  expectRejected("B2F.dat, lines 3 and 4: target angle 10 and tilt angle -10 degrees leave");
  // |beta| > 45 degrees on the beam axis: negative root.
  directory_.write("B2F.dat",
                   settingsText("28.0", "10.0", "50.0", "00.80", "00.00", "00.030", "00.000"));
  expectRejected("B2F.dat, lines 3 and 4: target angle 10 and tilt angle 50 degrees leave");
  // 10 m of aluminium leave no photon on the beam axis.
  directory_.write("B2F.dat",
                   settingsText("28.0", "22.0", "00.0", "00.80", "10000", "00.030", "00.000"));
  expectRejected("B2F.dat, line 6: aluminium 10000 mm is more than the 10 mm the model");
}

}  // namespace
