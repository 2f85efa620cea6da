#include "sweep/sweep_program.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "sweep/work_directory.h"
#include "test_paths.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> splitRecord(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream stream(line);
  std::string field;
  while (std::getline(stream, field, ',')) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

std::vector<std::vector<std::string>> readTable(const fs::path& path) {
  std::ifstream file(path);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind("# ", 0) != 0) rows.push_back(splitRecord(line));  // provenance lines
  }
  return rows;
}

struct EngineProcessRun {
  int status = -1;
  std::vector<double> values;  // Result.dat in file order
  std::string errorOutput;
};

// One engine run as palvane starts it: tables and a hand-written B2F.dat in a fresh folder.
EngineProcessRun singleRun(const char* engine, const std::string& parameterLines) {
  const sweep::WorkDirectory directory;
  for (const char* table : {"MUs3.dat", "Mo-STP.dat"}) {
    fs::copy_file(fs::path(testpaths::kDataDir) / table, directory.path() / table);
  }
  std::ofstream(directory.path() / "B2F.dat", std::ios::binary) << parameterLines;
  const std::string command = "cd '" + directory.path().string() + "' && '" + engine +
                              "' < /dev/null > /dev/null 2> error.txt";
  EngineProcessRun run;
  run.status = std::system(command.c_str());
  std::ifstream result(directory.path() / "Result.dat");
  double value = 0;
  while (result >> value) run.values.push_back(value);
  std::ifstream error(directory.path() / "error.txt");
  run.errorOutput.assign(std::istreambuf_iterator<char>(error), {});
  return run;
}

// Reference energy fluence, air kerma and HVL, then relative air kerma and HVL at Y = 0 and
// X = 5, 10, 15 cm: map entries 26, 51 and 76 after each reference.
std::vector<double> expectedColumns(const std::vector<double>& result) {
  if (result.size() != 3u * 3877u) return {};
  return {result[0],         result[3877],      result[7754],
          result[3877 + 26], result[3877 + 51], result[3877 + 76],
          result[7754 + 26], result[7754 + 51], result[7754 + 76]};
}

TEST(SweepProgram, RowsEqualSingleEngineRunsAndAFailureIsReportedInItsRow) {
  ASSERT_TRUE(fs::exists(testpaths::kDornic) && fs::exists(testpaths::kVessick))
      << "build dornic and vessick first";
  const sweep::WorkDirectory output;
  const fs::path table = output.path() / "sweep.csv";
  std::ostringstream out;
  std::ostringstream err;
  const int status = sweep::runSweepProgram(
      {"--target", "mo,w", "--kv", "25,31", "--theta", "22", "--phi", "0,-22", "--mo", "0.03",
       "--rh", "0.05", "--tables", testpaths::kDataDir, "--output", table.string()},
      out, err);
  EXPECT_EQ(status, sweep::kExitSomeFailed) << err.str();
  EXPECT_EQ(out.str(), "");

  const auto rows = readTable(table);
  ASSERT_EQ(rows.size(), 9u);
  ASSERT_EQ(rows[0].size(), 19u);
  EXPECT_EQ(rows[0][1], "tube_voltage [kV]");
  EXPECT_EQ(rows[0][18], "status");

  // theta + phi = 0 leaves the beam axis no path out of the target: the engine refuses,
  // and its one line of error output is the row's status, quoted for its commas.
  EXPECT_EQ(rows[2][3], "-22");
  EXPECT_EQ(rows[2][11], "");
  const EngineProcessRun refused =
      singleRun(testpaths::kDornic,
                "0\r\n25.0\r\n22.0\r\n-22.0\r\n00.80\r\n00.00\r\n00.030\r\n00.050\r\n60.000\r\n");
  EXPECT_NE(refused.status, 0);
  ASSERT_EQ(refused.errorOutput.find('\n'), refused.errorOutput.size() - 1) << refused.errorOutput;
  // The table opens with its provenance: the command line, the calibration and what the
  // model-unit columns may be compared with.
  std::ifstream tableText(table);
  std::string line;
  std::string provenance;
  while (std::getline(tableText, line) && line.rfind("# ", 0) == 0) provenance += line + "\n";
  EXPECT_NE(provenance.find("# command line: sweep --target mo,w --kv 25,31"), std::string::npos);
  EXPECT_NE(provenance.find("# calibration: none (uncalibrated model)"), std::string::npos);
  EXPECT_NE(provenance.find("never between targets"), std::string::npos);
  for (int i = 0; i < 2; ++i) std::getline(tableText, line);
  const std::string quotedMessage =
      ",\"" + refused.errorOutput.substr(0, refused.errorOutput.size() - 1) + "\"";
  ASSERT_GE(line.size(), quotedMessage.size());
  EXPECT_EQ(line.substr(line.size() - quotedMessage.size()), quotedMessage);

  const struct {
    std::size_t row;
    const char* engine;
    const char* parameterLines;
  } singles[] = {
      {1, testpaths::kDornic,
       "0\r\n25.0\r\n22.0\r\n00.0\r\n00.80\r\n00.00\r\n00.030\r\n00.050\r\n60.000\r\n"},
      {3, testpaths::kDornic,
       "0\r\n31.0\r\n22.0\r\n00.0\r\n00.80\r\n00.00\r\n00.030\r\n00.050\r\n60.000\r\n"},
      {5, testpaths::kVessick,
       "1\r\n25.0\r\n22.0\r\n00.0\r\n00.80\r\n00.00\r\n00.030\r\n00.050\r\n60.000\r\n"},
      {7, testpaths::kVessick,
       "1\r\n31.0\r\n22.0\r\n00.0\r\n00.80\r\n00.00\r\n00.030\r\n00.050\r\n60.000\r\n"},
  };
  for (const auto& single : singles) {
    const auto& row = rows[single.row];
    ASSERT_EQ(row.size(), 19u);
    EXPECT_EQ(row[18], "ok") << single.row;
    const EngineProcessRun run = singleRun(single.engine, single.parameterLines);
    EXPECT_EQ(run.status, 0) << single.row;
    const std::vector<double> expected = expectedColumns(run.values);
    ASSERT_EQ(expected.size(), 9u);
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(std::stod(row[9 + i]), expected[i]) << "row " << single.row << " column " << 9 + i;
    }
  }
}

TEST(SweepProgram, FittedAluminiumMeetsTheMeasuredHvlAndOutputGivesAbsoluteKerma) {
  ASSERT_TRUE(fs::exists(testpaths::kDornic) && fs::exists(testpaths::kVessick));
  const sweep::WorkDirectory output;
  const fs::path table = output.path() / "sweep.csv";
  std::ostringstream out;
  std::ostringstream err;
  // A first HVL of 0.31 mm at 28 kV; the tungsten beam is harder than that with no aluminium.
  const int status =
      sweep::runSweepProgram({"--target", "mo,w", "--kv", "25,28,30,35", "--theta", "22", "--phi",
                              "0", "--fit-hvl", "28:0.31", "--output-kerma", "120@50@28",
                              "--tables", testpaths::kDataDir, "--output", table.string()},
                             out, err);
  EXPECT_EQ(status, sweep::kExitSomeFailed) << err.str();
  const auto rows = readTable(table);
  ASSERT_EQ(rows.size(), 9u);
  ASSERT_EQ(rows[0].size(), 25u);
  EXPECT_EQ(rows[0][18], "fitted_aluminium [mm]");
  EXPECT_EQ(rows[0][20], "absolute_air_kerma [uGy/mAs]");
  // Published first HVLs of these molybdenum beams, and the engines' HVL must meet the
  // measured one within 0.003 mm with the aluminium rounded to 0.01 mm as B2F.dat holds it.
  const double published[] = {0.28, 0.31, 0.33, 0.36};
  for (std::size_t row = 1; row <= 4; ++row) {
    ASSERT_EQ(rows[row][24], "ok") << row;
    EXPECT_NEAR(std::stod(rows[row][5]), 0.10, 0.015) << row;
    EXPECT_EQ(rows[row][5], rows[1][5]) << "one fit for every voltage";
    EXPECT_NEAR(std::stod(rows[row][18]), std::stod(rows[row][5]), 0.005);
    EXPECT_NEAR(std::stod(rows[row][11]), published[row - 1], 0.02 * published[row - 1]) << row;
    // 120 uGy/mAs at 50 cm: 120 * 2500 / 4225 = 71.006 at 65 cm at 28 kV (row 2), carried to
    // the row's voltage by the ratio of the engine's reference air kerma, then times the
    // relative kerma.
    const double reference = 71.006 * std::stod(rows[row][10]) / std::stod(rows[2][10]);
    EXPECT_NEAR(std::stod(rows[row][20]), reference, 0.001 * reference) << row;
    EXPECT_NEAR(std::stod(rows[row][21]), reference * std::stod(rows[row][12]), 0.01);
  }
  EXPECT_NEAR(std::stod(rows[2][11]), 0.31, 0.003);
  for (std::size_t row = 5; row <= 8; ++row) {
    EXPECT_EQ(rows[row][11], "");
    EXPECT_EQ(rows[row][5], "") << "no aluminium was fitted, so none is shown";
    EXPECT_NE(rows[row][24].find("0.31 mm at 28 kV is below"), std::string::npos) << rows[row][24];
  }
}

TEST(SweepProgram, HeelFitRecoversTheAngleOfTheEnginesOwnHeel) {
  // The relative air kerma at X = 5, 10 and 15 cm of a Mo/Rh 28 kV run at theta = 18.
  const sweep::WorkDirectory output;
  const fs::path table = output.path() / "sweep.csv";
  std::ostringstream out;
  std::ostringstream err;
  const std::vector<std::string> common = {
      "--kv",     "28",          "--phi", "0",        "--mo",
      "0",        "--rh",        "0.025", "--tables", testpaths::kDataDir,
      "--output", table.string()};
  std::vector<std::string> at18 = common;
  at18.insert(at18.end(), {"--theta", "18"});
  ASSERT_EQ(sweep::runSweepProgram(at18, out, err), sweep::kExitAllOk) << err.str();
  const auto measured = readTable(table);
  std::vector<std::string> heel = common;
  heel.insert(heel.end(), {"--fit-heel", "50:" + measured[1][12] + ",100:" + measured[1][13] +
                                             ",150:" + measured[1][14]});
  ASSERT_EQ(sweep::runSweepProgram(heel, out, err), sweep::kExitAllOk) << err.str();
  const auto rows = readTable(table);
  ASSERT_EQ(rows[0][18], "fitted_target_angle [deg]");
  EXPECT_EQ(rows[1][2], "18");
  EXPECT_EQ(rows[1][18], "18");
}

TEST(SweepProgram, MissingTablesStopBeforeAnyRunAndLeaveTheOutputAlone) {
  const sweep::WorkDirectory directory;
  const fs::path table = directory.path() / "old.csv";
  std::ofstream(table) << "kept\n";
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(sweep::runSweepProgram(
                {"--tables", directory.path().string(), "--output", table.string()}, out, err),
            sweep::kExitUnusable);
  EXPECT_NE(err.str().find("MUs3.dat"), std::string::npos) << err.str();
  std::ifstream kept(table);
  std::string line;
  std::getline(kept, line);
  EXPECT_EQ(line, "kept");
}

TEST(SweepProgram, AnOutputThatCannotBeWrittenIsAnError) {
  const sweep::WorkDirectory directory;
  const std::string tables = testpaths::kDataDir;
  std::ostringstream out;
  std::ostringstream err;
  // Found before any engine runs: no progress is reported.
  const std::string missing = (directory.path() / "missing" / "sweep.csv").string();
  EXPECT_EQ(sweep::runSweepProgram({"--tables", tables, "--output", missing}, out, err),
            sweep::kExitUnusable);
  EXPECT_NE(err.str().find(missing), std::string::npos) << err.str();
  EXPECT_EQ(err.str().find("combinations done"), std::string::npos) << err.str();

  std::ostream failingOutput(nullptr);  // a stream whose writes fail, like stdout on /dev/full
  std::ostringstream failingErr;
  EXPECT_EQ(sweep::runSweepProgram({"--tables", tables}, failingOutput, failingErr),
            sweep::kExitUnusable);
  EXPECT_NE(failingErr.str().find(sweep::kStandardOutputFailed), std::string::npos)
      << failingErr.str();
}

// Started without standard error, the progress goes nowhere: not into the table, which
// would otherwise be opened as descriptor 2.
TEST(SweepProgram, ClosedStandardErrorKeepsProgressOutOfTheTable) {
  const sweep::WorkDirectory directory;
  const fs::path table = directory.path() / "sweep.csv";
  const std::string command = std::string("'") + testpaths::kSweep + "' --tables '" +
                              testpaths::kDataDir + "' --output '" + table.string() + "' 2>&-";
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::ifstream written(table);
  const std::string text(std::istreambuf_iterator<char>(written), {});
  EXPECT_EQ(text.find("combinations done"), std::string::npos) << text;
  EXPECT_NE(text.find("\nmo,"), std::string::npos) << text;  // the one row
}

// --version prints the name and version and runs nothing: no file appears in the folder.
TEST(SweepProgram, EveryProgramPrintsItsVersion) {
  const std::string version = testpaths::kProjectVersion;
  for (const char* engine : {testpaths::kDornic, testpaths::kVessick}) {
    const sweep::WorkDirectory directory;
    const std::string command = "cd '" + directory.path().string() + "' && '" + engine +
                                "' --version < /dev/null > version.txt";
    EXPECT_EQ(std::system(command.c_str()), 0) << engine;
    std::ifstream printed(directory.path() / "version.txt");
    const std::string text(std::istreambuf_iterator<char>(printed), {});
    EXPECT_EQ(text, fs::path(engine).filename().string() + " " + version + "\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(directory.path()), {}), 1) << engine;
  }
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(sweep::runSweepProgram({"--version"}, out, err), sweep::kExitAllOk);
  EXPECT_EQ(out.str(), "sweep " + version + "\n");
}

}  // namespace
