#include "sweep/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "sweep/sweep_table.h"
#include "text_files/csv_writer.h"

namespace {

using sweep::CommandLine;
using sweep::expandCombinations;
using sweep::parseCommandLine;
using sweep::Settings;
using sweep::Target;
using sweep::UsageError;

// The eight numbers of B2F.dat's first lines, in their order.
struct FileSettings {
  Target target;
  double tubeVoltage, targetAngle, tiltAngle, beryllium, aluminium, molybdenum, rhodium;
};

bool sameSettings(const Settings& a, const FileSettings& b) {
  return a.target == b.target && a.tubeVoltage == b.tubeVoltage && a.targetAngle == b.targetAngle &&
         a.tiltAngle == b.tiltAngle && a.beryllium == b.beryllium && a.aluminium == b.aluminium &&
         a.molybdenum == b.molybdenum && a.rhodium == b.rhodium;
}

TEST(CommandLine, NoOptionsGiveTheSpectrumFormDefaults) {
  const sweep::CommandLine commandLine = parseCommandLine({});
  EXPECT_EQ(commandLine.parallelRuns, 2);
  EXPECT_EQ(commandLine.tablesDirectory, ".");
  EXPECT_FALSE(commandLine.output.has_value());
  const auto combinations = expandCombinations(commandLine.request);
  ASSERT_EQ(combinations.size(), 1u);
  EXPECT_TRUE(sameSettings(combinations[0], {Target::kMolybdenum, 30, 10, 4, 0.8, 0, 0.03, 0}));
}

TEST(CommandLine, EachTargetKeepsItsOwnFilterDefaultsUnlessFiltersAreGiven) {
  auto combinations = expandCombinations(parseCommandLine({"--target", "mo,w"}).request);
  ASSERT_EQ(combinations.size(), 2u);
  EXPECT_TRUE(sameSettings(combinations[0], {Target::kMolybdenum, 30, 10, 4, 0.8, 0, 0.03, 0}));
  EXPECT_TRUE(sameSettings(combinations[1], {Target::kTungsten, 30, 10, 4, 0.8, 0, 0, 0.025}));

  combinations = expandCombinations(parseCommandLine({"--target=W,Mo", "--rh=0.05"}).request);
  ASSERT_EQ(combinations.size(), 2u);
  EXPECT_TRUE(sameSettings(combinations[0], {Target::kTungsten, 30, 10, 4, 0.8, 0, 0, 0.05}));
  EXPECT_TRUE(sameSettings(combinations[1], {Target::kMolybdenum, 30, 10, 4, 0.8, 0, 0.03, 0.05}));
}

TEST(CommandLine, CombinationsRunTargetSlowestAndRhodiumFastest) {
  const auto commandLine =
      parseCommandLine({"--kv",   "25,28", "--theta",  "22",    "--phi",    "0",    "--be",
                        "1",      "--al",  "0.5",      "--mo",  "0.03,0",   "--rh", "0,0.025",
                        "--jobs", "3",     "--output", "t.csv", "--tables", "data"});
  EXPECT_EQ(commandLine.parallelRuns, 3);
  EXPECT_EQ(commandLine.output, "t.csv");
  EXPECT_EQ(commandLine.tablesDirectory, "data");
  const auto combinations = expandCombinations(commandLine.request);
  ASSERT_EQ(combinations.size(), 8u);
  EXPECT_TRUE(sameSettings(combinations[0], {Target::kMolybdenum, 25, 22, 0, 1, 0.5, 0.03, 0}));
  EXPECT_TRUE(sameSettings(combinations[1], {Target::kMolybdenum, 25, 22, 0, 1, 0.5, 0.03, 0.025}));
  EXPECT_TRUE(sameSettings(combinations[2], {Target::kMolybdenum, 25, 22, 0, 1, 0.5, 0, 0}));
  EXPECT_TRUE(sameSettings(combinations[7], {Target::kMolybdenum, 28, 22, 0, 1, 0.5, 0, 0.025}));
}

TEST(CommandLine, RejectsUnusableOptionsWithTheirName) {
  const std::vector<std::vector<std::string>> bad{
      {"--kv", "19.9"},
      {"--kv", "50.1"},
      {"--be", "-0.1"},
      {"--be", "0.5:1e308:5e307"},
      {"--al", "1e39"},
      {"--be", "3.01"},
      {"--al", "10.5"},
      {"--mo", "0.3"},
      {"--rh", "0,05"},
      {"--rh", "25"},
      {"--theta", "91"},
      {"--target", "cu"},
      {"--jobs", "0"},
      {"--jobs", "2.5"},
      {"--output="},
      {"--kv"},
      {"--kv", "25", "--kv", "28"},
      {"--voltage", "25"},
      {"--fit-hvl", "28"},
      {"--fit-hvl", "28:0"},
      {"--fit-hvl", "55:0.3"},
      {"--fit-hvl", "28:0.3,x:0.3"},
      {"--output-kerma", "120"},
      {"--output-kerma", "120@0"},
      {"--output-kerma", "-1@50"},
      {"--output-kerma", "1e300@1e300"},
      {"--fit-hvl", "28:0.31", "--al", "0.1"},
      {"--output-kerma", "80@5@28"},
      {"--output-kerma", "80@60@55"},
      {"--output-kerma", "80@60@x"},
      // Across several voltages an output needs the one it was measured at.
      {"--output-kerma", "80@60", "--kv", "25,28"},
      {"--calibration", "room.txt", "--al", "0.1"},
      {"--calibration", "room.txt", "--output-kerma", "80@60@28"},
  };
  for (const auto& arguments : bad) {
    const std::string name = arguments[0].substr(0, arguments[0].find('='));
    try {
      parseCommandLine(arguments);
      ADD_FAILURE() << name << " accepted";
    } catch (const UsageError& error) {
      EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
    }
  }
  // 3001 voltages times 591 angles would run for days.
  EXPECT_THROW(parseCommandLine({"--kv", "20:50:0.01", "--theta", "1:60:0.1"}), UsageError);
}

TEST(CommandLine, AnOutputWithoutItsVoltageIsTheSweepsOnlyVoltage) {
  const CommandLine single = parseCommandLine({"--kv", "28", "--output-kerma", "80@60"});
  ASSERT_TRUE(single.measuredOutput);
  EXPECT_EQ(single.measuredOutput->tubeVoltage, 28.0);
  const CommandLine given = parseCommandLine({"--kv", "25:35:1", "--output-kerma", "80@60@28"});
  EXPECT_EQ(given.measuredOutput->tubeVoltage, 28.0);
  EXPECT_EQ(given.measuredOutput->output.distance, 60.0);
}

TEST(CommandLine, HelpStopsReadingAndNamesEveryDefault) {
  EXPECT_TRUE(parseCommandLine({"--kv", "25", "--help", "--bogus"}).helpRequested);
  const std::string help = sweep::helpText();
  for (const char* text :
       {"--target", "default: mo", "default: 30", "default: 10", "default: 4", "default: 0.8",
        "0.03 for mo, 0 for w", "0 for mo, 0.025 for w", "--jobs", "--output", "--tables",
        "Exit status", "mm, 0 to 3 ", "mm, 0 to 10 ", "mm, 0 to 0.2\n"}) {
    EXPECT_NE(help.find(text), std::string::npos) << text;
  }
}

}  // namespace

namespace {

// --filter and --plate: alternatives vary fastest (plate last), "+" stacks layers.
TEST(CommandLine, AddedFiltersAndPlatesAreListsOfAlternatives) {
  const auto combinations = expandCombinations(
      parseCommandLine({"--filter", "none,ag:0.05+AL:0.5", "--plate", "pmma:2.4,none"}).request);
  ASSERT_EQ(combinations.size(), 4u);
  EXPECT_TRUE(combinations[0].addedFilters.empty());
  EXPECT_EQ(combinations[0].plate, (palvane::AddedLayer{"pmma", 2.4}));
  EXPECT_FALSE(combinations[1].plate);
  EXPECT_EQ(combinations[2].addedFilters,
            (std::vector<palvane::AddedLayer>{{"ag", 0.05}, {"al", 0.5}}));
  for (const auto& [option, value, message] : {
           std::tuple{"--filter", "ag", "--filter: \"ag\" is not MATERIAL:MM (e.g. ag:0.05)"},
           std::tuple{"--filter", "ag:11", "--filter: filter ag 11 mm: must lie from 0 to 10 mm"},
           std::tuple{"--plate", "cu:2",
                      "--plate: plate cu: a compression plate is of PMMA (pmma) or polycarbonate "
                      "(pc)"},
       }) {
    try {
      parseCommandLine({option, value});
      ADD_FAILURE() << value;
    } catch (const UsageError& error) {
      EXPECT_EQ(std::string(error.what()), message);
    }
  }
}

}  // namespace

namespace {

std::vector<std::string> cellsOf(const std::string& line) {
  std::vector<std::string> cells;
  std::istringstream stream(line);
  for (std::string cell; std::getline(stream, cell, ',');) cells.push_back(cell);
  return cells;
}

// Each number's option sets that number alone and shows under its own column; it accepts
// up to the largest value the model is made for and no further.
TEST(CommandLine, EveryNumberOptionFeedsItsOwnColumn) {
  for (const palvane::SetupField& field : palvane::kSetupFields) {
    if (field.option.empty()) continue;
    const double value = (field.lowest + field.modelHighest) / 2;
    const std::string option(field.option);
    const auto combinations =
        expandCombinations(parseCommandLine({option, csv::number(value)}).request);
    ASSERT_EQ(combinations.size(), 1u) << option;
    Settings expected = sweep::startingSettings(Target::kMolybdenum);
    expected.*field.member = value;
    EXPECT_EQ(combinations[0], expected) << option;
    EXPECT_THROW(parseCommandLine({option, csv::number(field.modelHighest + 0.01)}), UsageError)
        << option;

    std::istringstream table(sweep::sweepTable({expected}, {sweep::CombinationOutcome{}}));
    std::string header, row;
    std::getline(table, header);
    std::getline(table, row);
    const std::vector<std::string> names = cellsOf(header);
    const auto column = std::find(names.begin(), names.end(),
                                  std::string(field.name) + " [" + std::string(field.unit) + "]");
    ASSERT_NE(column, names.end()) << option;
    EXPECT_EQ(cellsOf(row).at(static_cast<std::size_t>(column - names.begin())), csv::number(value))
        << option;
  }
}

}  // namespace
