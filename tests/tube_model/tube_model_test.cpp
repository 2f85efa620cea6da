#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "test_paths.h"
#include "tube_model/field.h"
#include "tube_model/point.h"

namespace {

using palvane::Target;
using palvane::TubeSetup;
using testing::HasSubstr;
using tube_model::ModelError;
using tube_model::Tables;

std::string fileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::filesystem::path expected(const char* run) {
  return std::filesystem::path(testpaths::kTestDataDir) / "expected" / run;
}

TubeSetup tungstenSetup() {
  TubeSetup setup;
  setup.target = Target::kTungsten;
  setup.molybdenum = 0;
  setup.rhodium = 0.025;
  return setup;
}

// The example of the API: a field and a point spectrum in a few lines, without files.
TEST(TubeModel, ComputesAFieldAndAPointSpectrum) {
  const Tables tables = Tables::fromFolder(testpaths::kDataDir);
  TubeSetup setup;  // molybdenum, 30 kV, 10 and 4 degrees, 0.8 mm Be, 0.03 mm Mo
  const tube_model::FieldResult field = tube_model::computeField(setup, tables);
  const tube_model::PointResult point = tube_model::pointSpectrum(setup, tables, 100, 20);

  // The beam-axis sums of the committed Beam_Axis.dat (.26918E+00 ... .29289E+00).
  ASSERT_TRUE(field.beamAxis);
  EXPECT_NEAR(field.beamAxis->sums.energyFluence, 19.611, 5e-4);
  EXPECT_NEAR(field.hvlReference, 0.29289, 5e-6);
  EXPECT_TRUE(field.warnings.empty());
  // X = 100 mm, Y = 20 mm is grid column 50, row 10: the point agrees with the maps.
  EXPECT_EQ(static_cast<float>(point.quality.relativeAirKerma),
            tube_model::mapValue(field.airKerma, 50, 10));
  EXPECT_EQ(point.sums.hvl / field.hvlReference, tube_model::mapValue(field.hvl, 50, 10));
  EXPECT_EQ(point.highestBin, 150);
  EXPECT_GT(point.quality.secondHvl, point.quality.firstHvl);
  EXPECT_NEAR(point.quality.homogeneity, point.quality.firstHvl / point.quality.secondHvl, 1e-12);
}

// The texts are those the engines wrote for the default settings of either target.
TEST(TubeModel, FileTextsAreTheEnginesBytes) {
  const Tables tables = Tables::fromFolder(testpaths::kDataDir);
  const tube_model::FieldResult molybdenum = tube_model::computeField(TubeSetup{}, tables);
  EXPECT_EQ(tube_model::beamAxisText(molybdenum), fileText(expected("mo_30kv") / "Beam_Axis.dat"));
  EXPECT_EQ(tube_model::resultText(molybdenum), fileText(expected("mo_30kv") / "Result.dat"));
  const tube_model::FieldResult tungsten = tube_model::computeField(tungstenSetup(), tables);
  EXPECT_EQ(tube_model::beamAxisText(tungsten), fileText(expected("w_30kv") / "Beam_Axis.dat"));
  EXPECT_EQ(tube_model::resultText(tungsten), fileText(expected("w_30kv") / "Result.dat"));
}

// Tables from bytes compute what tables from the folder compute; the tungsten target needs
// no Mo-STP.dat, the molybdenum target says it does.
TEST(TubeModel, TablesFromBytes) {
  const std::filesystem::path data(testpaths::kDataDir);
  const Tables tables = Tables::fromText(fileText(data / "MUs3.dat"), "");
  EXPECT_FALSE(tables.hasMolybdenum());
  EXPECT_EQ(tube_model::resultText(tube_model::computeField(tungstenSetup(), tables)),
            fileText(expected("w_30kv") / "Result.dat"));
  try {
    tube_model::computeField(TubeSetup{}, tables);
    ADD_FAILURE() << "no error without Mo-STP.dat";
  } catch (const ModelError& error) {
    EXPECT_THAT(error.what(), HasSubstr("Mo-STP.dat"));
  }
  try {
    Tables::fromText("  .200E+00 bad\r\n", "");
    ADD_FAILURE() << "no error for a bad table";
  } catch (const ModelError& error) {
    EXPECT_THAT(error.what(), HasSubstr("MUs3.dat, line 1"));
  }
}

TEST(TubeModel, RefusesWhatItCannotCompute) {
  const Tables tables = Tables::fromFolder(testpaths::kDataDir);
  TubeSetup setup;
  setup.tubeVoltage = 55;
  EXPECT_THROW(tube_model::computeField(setup, tables), ModelError);
  setup = TubeSetup{};
  setup.beryllium = -0.1;
  try {
    tube_model::pointSpectrum(setup, tables, 0, 0);
    ADD_FAILURE() << "no error for a negative thickness";
  } catch (const ModelError& error) {
    EXPECT_STREQ(error.what(), "beryllium -0.1 mm: must be 0 mm or more");
  }
  // 10 + 4 degrees put the heel cut-off at 65 tan 14 deg = 162.07 mm.
  EXPECT_NO_THROW(tube_model::pointSpectrum(TubeSetup{}, tables, 162, 0));
  EXPECT_THROW(tube_model::pointSpectrum(TubeSetup{}, tables, 162.2, 0), ModelError);
}

// One Tables, several threads: each computes what it computes alone.
TEST(TubeModel, ThreadsShareTables) {
  const Tables tables = Tables::fromFolder(testpaths::kDataDir);
  std::string texts[2];
  std::thread first(
      [&] { texts[0] = tube_model::resultText(tube_model::computeField({}, tables)); });
  std::thread second([&] {
    texts[1] = tube_model::resultText(tube_model::computeField(tungstenSetup(), tables));
  });
  first.join();
  second.join();
  EXPECT_EQ(texts[0], fileText(expected("mo_30kv") / "Result.dat"));
  EXPECT_EQ(texts[1], fileText(expected("w_30kv") / "Result.dat"));
}

}  // namespace
