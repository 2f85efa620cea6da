#include "palvane/state/results_loading.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "palvane/state/shared_state.h"
#include "text_files/file_error.h"
#include "text_files/scratch_directory.h"

namespace palvane {
namespace {

using ::testing::HasSubstr;

constexpr const char* kDefaultParameters =
    "0\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n";

// A map value that tells the block, the column i and the row j apart; its five digits
// are written exactly in the files' four-decimal exponent layout.
double mapValue(int block, int i, int j) { return block * 10000.0 + i * 100.0 + j; }
// A relative spectrum value that tells the bins apart.
double spectrumValue(int bin) { return bin / 1000.0; }

std::string number(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// B_SPCTL.dat as the spectrum output writes it: energy, two blanks, relative value; peak.
std::string spectrumFile() {
  std::string text;
  for (int bin = 1; bin <= 250; ++bin) {
    text += number("%06.1f", 0.2 * bin) + "  " + number("%.5f", spectrumValue(bin)) + "\r\n";
  }
  return text + "1.2345E+05\r\n";
}

// Result.dat in the engines' arrangement: a reference value, then 51 lines of 76 values
// (X fastest), three times. The third reference value is the HVL on the axis.
std::string resultFile() {
  const double references[] = {11.0, 22.0, 3.5};
  std::string text;
  for (int block = 1; block <= 3; ++block) {
    text += number("%12.5E", references[block - 1]) + "\r\n";
    for (int j = 1; j <= 51; ++j) {
      for (int i = 1; i <= 76; ++i) text += number("%11.4E", mapValue(block, i, j));
      text += "\r\n";
    }
  }
  return text;
}

struct EngineRunFiles {
  ScratchDirectory directory;
  EngineRunFiles() {
    directory.write("B2F.dat", kDefaultParameters);
    directory.write("B_SPCTL.dat", spectrumFile());
    directory.write("Result.dat", resultFile());  // the engines' spelling
  }
};

void expectLoadFailureNaming(const std::filesystem::path& directory, const char* fileName) {
  try {
    LoadEngineResults(directory);
    ADD_FAILURE() << "no error for " << fileName;
  } catch (const FileError& error) {
    EXPECT_THAT(error.what(), HasSubstr(fileName));
  }
}

TEST(LoadEngineResults, ReadsEveryValueIntoItsPlace) {
  EngineRunFiles files;
  const EngineResults results = LoadEngineResults(files.directory.path());

  const TubeSetup& settings = results.settings;
  EXPECT_EQ(settings.target, Target::kMolybdenum);
  EXPECT_EQ(settings.tubeVoltage, 30.0);
  EXPECT_EQ(settings.targetAngle, 10.0);
  EXPECT_EQ(settings.tiltAngle, 4.0);
  EXPECT_EQ(settings.beryllium, 0.8);
  EXPECT_EQ(settings.aluminium, 0.0);
  EXPECT_EQ(settings.molybdenum, 0.03);
  EXPECT_EQ(settings.rhodium, 0.0);

  EXPECT_EQ(results.axisSpectrum[0], 0.0);
  EXPECT_EQ(results.axisSpectrum[1], spectrumValue(1));
  EXPECT_EQ(results.axisSpectrum[250], spectrumValue(250));
  EXPECT_EQ(results.axisSpectrumMax, 1.2345e5);

  EXPECT_EQ(results.maps.axisHvl, 3.5);
  const FieldMap* maps[] = {&results.maps.fluenceMap, &results.maps.kermaMap, &results.maps.hvlMap};
  for (int block = 1; block <= 3; ++block) {
    const FieldMap& map = *maps[block - 1];
    for (auto [i, j] : {std::pair{1, 1}, {2, 1}, {76, 1}, {1, 2}, {76, 51}}) {
      EXPECT_EQ(map[i][j], mapValue(block, i, j)) << "block " << block << " i " << i << " j " << j;
    }
    EXPECT_EQ(map[0][1], 0.0);
    EXPECT_EQ(map[1][0], 0.0);
  }
}

TEST(LoadEngineResults, MissingOrShortFilesAreNamed) {
  {
    EngineRunFiles files;
    std::filesystem::remove(files.directory.path() / "B2F.dat");
    expectLoadFailureNaming(files.directory.path(), "B2F.dat");
  }
  {
    EngineRunFiles files;
    files.directory.write("B_SPCTL.dat", spectrumFile().substr(0, 3000));
    expectLoadFailureNaming(files.directory.path(), "B_SPCTL.dat");
  }
  {
    EngineRunFiles files;
    std::filesystem::remove(files.directory.path() / "Result.dat");
    expectLoadFailureNaming(files.directory.path(), "result.dat");
  }
}

TEST(LoadEngineResults, ShortResultFileLeavesTheStoredMapsUnchanged) {
  state() = SharedState{};
  {
    EngineRunFiles files;
    StoreEngineResults(LoadEngineResults(files.directory.path()));
  }
  EngineRunFiles newer;
  const std::string complete = resultFile();
  newer.directory.write("Result.dat", complete.substr(0, complete.size() / 2));
  newer.directory.write("B2F.dat", "1\r\n40.0\r\n");

  // The results button stores only what was read completely.
  EXPECT_THROW(StoreEngineResults(LoadEngineResults(newer.directory.path())), FileError);
  EXPECT_EQ(state().TargetType, 0);
  EXPECT_EQ(state().FluenceMap[76][51], mapValue(1, 76, 51));
  EXPECT_EQ(state().HvlMap[76][51], mapValue(3, 76, 51));
  EXPECT_EQ(state().AxisHvl, 3.5);
  EXPECT_EQ(state().AxisSpectrumMax, 1.2345e5);
  state() = SharedState{};
}

TEST(StoreEngineResults, TargetTypeFollowsTheFileWhateverWasSelected) {
  state() = SharedState{};
  EngineRunFiles files;
  files.directory.write("B2F.dat",
                        "1\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.000\r\n"
                        "00.025\r\n60.000\r\n");
  StoreEngineResults(LoadEngineResults(files.directory.path()));
  EXPECT_EQ(state().TargetType, 1);
  EXPECT_EQ(state().KermaMap[3][4], mapValue(2, 3, 4));
  EXPECT_EQ(state().AxisSpectrum[100], spectrumValue(100));
  state() = SharedState{};
}

TEST(FindIgnoringCase, TheMostRecentlyWrittenOfSeveralSpellingsWins) {
  ScratchDirectory directory;
  EXPECT_EQ(findIgnoringCase(directory.path(), "result.dat"), directory.path() / "result.dat");

  const auto older = directory.write("result.dat", "1");
  const auto newer = directory.write("RESULT.DAT", "2");
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time(older, now - std::chrono::hours(1));
  std::filesystem::last_write_time(newer, now);
  EXPECT_EQ(findIgnoringCase(directory.path(), "result.dat"), newer);

  std::filesystem::last_write_time(older, now + std::chrono::hours(1));
  EXPECT_EQ(findIgnoringCase(directory.path(), "result.dat"), older);
}

}  // namespace
}  // namespace palvane
