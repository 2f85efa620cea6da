// Added filters and the compression plate: through the engine programs and in process.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_paths.h"
#include "text_files/parameter_file.h"
#include "tube_model/field.h"
#include "tube_model/point.h"

namespace {

namespace fs = std::filesystem;
using palvane::AddedLayer;
using palvane::Target;
using palvane::TubeSetup;
using tube_model::Tables;

std::string fileText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A run of an engine program as palvane starts it, in a fresh folder holding the given
// tables and B2F.dat; the texts of Beam_Axis.dat and Result.dat ("" when not written).
struct ProgramRun {
  int status;
  std::string beamAxis, result;
};

ProgramRun runProgram(const char* program, const std::string& parameterText,
                      std::initializer_list<const char*> tables) {
  const fs::path folder =
      fs::temp_directory_path() /
      ("palvane_layers_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(folder);
  fs::create_directories(folder);
  for (const char* table : tables)
    fs::copy_file(fs::path(testpaths::kDataDir) / table, folder / table);
  std::ofstream(folder / "B2F.dat", std::ios::binary) << parameterText;
  const std::string command =
      "cd '" + folder.string() + "' && '" + program + "' < /dev/null > /dev/null 2>&1";
  ProgramRun run{std::system(command.c_str()), fileText(folder / "Beam_Axis.dat"),
                 fileText(folder / "Result.dat")};
  fs::remove_all(folder);
  return run;
}

TubeSetup tungsten(std::vector<AddedLayer> filters) {
  TubeSetup setup;
  setup.target = Target::kTungsten;
  setup.molybdenum = 0;
  setup.rhodium = 0;
  setup.addedFilters = std::move(filters);
  return setup;
}

// W/Ag and W/Al (with and without a plate), and Mo/Mo with silver and a plate: the programs
// write what the in-process model gives, byte for byte.
TEST(AddedLayers, EngineProgramsWriteWhatTheModelComputes) {
  const Tables tables = Tables::fromFolder(testpaths::kDataDir);
  TubeSetup withPlate = tungsten({{"al", 0.7}});
  withPlate.plate = AddedLayer{"pmma", 2.4};
  TubeSetup molybdenum;
  molybdenum.addedFilters = {{"ag", 0.03}};
  molybdenum.plate = AddedLayer{"pc", 3};
  for (const TubeSetup& setup :
       {tungsten({{"ag", 0.05}}), tungsten({{"al", 0.7}}), withPlate, molybdenum}) {
    const tube_model::FieldResult field = tube_model::computeField(setup, tables);
    const ProgramRun run =
        runProgram(setup.target == Target::kTungsten ? testpaths::kVessick : testpaths::kDornic,
                   palvane::parameterFileText(setup), {"MUs3.dat", "Mo-STP.dat", "Materials.dat"});
    SCOPED_TRACE(palvane::parameterFileText(setup));
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.result == tube_model::resultText(field));
    EXPECT_TRUE(run.beamAxis == tube_model::beamAxisText(field));
    EXPECT_NE(run.beamAxis.find("\r\nfilter "), std::string::npos);
  }
}

// Layers of 0 mm are absent: palvane writes the nine lines alone, and an engine given such
// lines, without any Materials.dat, writes the committed bytes.
TEST(AddedLayers, LayersOfZeroMillimetresChangeNoByte) {
  TubeSetup setup = tungsten({{"ag", 0}});
  setup.rhodium = 0.025;
  setup.plate = AddedLayer{"pmma", 0};
  TubeSetup plain = setup;
  plain.addedFilters.clear();
  plain.plate.reset();
  EXPECT_EQ(palvane::parameterFileText(setup), palvane::parameterFileText(plain));
  const fs::path expected = fs::path(testpaths::kTestDataDir) / "expected";
  for (const auto& [program, b2f, folder] :
       {std::tuple{testpaths::kVessick, palvane::parameterFileText(plain), "w_30kv"},
        std::tuple{testpaths::kDornic, palvane::parameterFileText(TubeSetup{}), "mo_30kv"}}) {
    const ProgramRun run = runProgram(program, b2f + "filter ag 00.000\r\n\r\nplate pmma 0\r\n",
                                      {"MUs3.dat", "Mo-STP.dat"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.beamAxis == fileText(expected / folder / "Beam_Axis.dat")) << folder;
    EXPECT_TRUE(run.result == fileText(expected / folder / "Result.dat")) << folder;
  }
}

// 0.05 mm of silver passes exp(-mu t) of each bin, mu as Materials.dat gives it (lines 101,
// 126 and 141: 20, 25 and 28 keV, below and above the K edge at 25.5 keV), on the beam axis
// and, along the oblique path r t, at X = 100 mm, Y = 20 mm.
TEST(AddedLayers, SilverTransmitsExpOfMinusMuTimesThickness) {
  const Tables tables = Tables::fromFolder(testpaths::kDataDir);
  const TubeSetup bare = tungsten({});
  const TubeSetup silver = tungsten({{"ag", 0.05}});
  const tube_model::FieldResult without = tube_model::computeField(bare, tables);
  const tube_model::FieldResult with = tube_model::computeField(silver, tables);
  const tube_model::PointResult pointWithout = tube_model::pointSpectrum(bare, tables, 100, 20);
  const tube_model::PointResult pointWith = tube_model::pointSpectrum(silver, tables, 100, 20);
  const double obliquity = std::sqrt(10.0 * 10.0 + 2.0 * 2.0 + 65.0 * 65.0) / 65.0;
  const struct {
    int bin;
    double mu;  // per cm
  } silverLines[] = {{100, 192.75}, {125, 105.62}, {140, 459.53}};
  for (const auto& [bin, mu] : silverLines) {
    const double axis = with.beamAxis->spectrum[bin] / without.beamAxis->spectrum[bin];
    EXPECT_NEAR(axis, std::exp(-mu * 0.005), 2e-6 * std::exp(-mu * 0.005)) << bin;
    const double point = pointWith.spectrum[bin] / pointWithout.spectrum[bin];
    const double expected = std::exp(-mu * 0.005 * obliquity);
    EXPECT_NEAR(point, expected, 2e-6 * expected) << bin;
  }
}

// The columns of a table file read as free-format numbers: value c of line l.
std::vector<std::vector<double>> freeFormatLines(const fs::path& file, int skipLines) {
  std::ifstream in(file);
  std::vector<std::vector<double>> lines;
  std::string line;
  for (int i = 0; i < skipLines; ++i) std::getline(in, line);
  while (std::getline(in, line)) {
    std::istringstream values(line);
    lines.emplace_back();
    for (double value; values >> value;) lines.back().push_back(value);
  }
  return lines;
}

// The aluminium thickness (mm) that halves the air kerma of the spectrum N(i), in double
// precision by bisection: sum N(i) E_i mu_en(i) exp(-mu_Al(i) t) = half the sum at t = 0.
double halfValueLayer(const std::vector<double>& photons,
                      const std::vector<std::vector<double>>& coefficients) {
  const auto kerma = [&](double centimetres) {
    double sum = 0;
    for (std::size_t bin = 2; bin < photons.size(); ++bin) {
      const std::vector<double>& row = coefficients[bin - 1];  // MUs3.dat line = bin
      sum +=
          photons[bin] * 0.2 * static_cast<double>(bin) * row[7] * std::exp(-row[3] * centimetres);
    }
    return sum;
  };
  const double half = kerma(0) / 2;
  double thin = 0, thick = 1;
  for (int step = 0; step < 60; ++step) {
    const double middle = (thin + thick) / 2;
    (kerma(middle) > half ? thin : thick) = middle;
  }
  return thin * 10;
}

// A 2.4 mm PMMA plate hardens the narrow beam on the axis as its coefficients predict: the
// HVL of the plate-less axis spectrum times exp(-mu_PMMA t), from the tables by a second
// method, equals the engines' axis HVL with the plate (whose search interpolates between
// 0.01 mm steps).
TEST(AddedLayers, PlateChangesTheAxisHvlAsTheTablePredicts) {
  const Tables tables = Tables::fromFolder(testpaths::kDataDir);
  const auto coefficients = freeFormatLines(fs::path(testpaths::kDataDir) / "MUs3.dat", 0);
  const auto materials = freeFormatLines(fs::path(testpaths::kDataDir) / "Materials.dat", 1);
  for (Target target : {Target::kMolybdenum, Target::kTungsten}) {
    TubeSetup setup;
    if (target == Target::kTungsten) setup = tungsten({{"ag", 0.05}});
    const tube_model::FieldResult without = tube_model::computeField(setup, tables);
    setup.plate = AddedLayer{"pmma", 2.4};
    const tube_model::FieldResult with = tube_model::computeField(setup, tables);
    std::vector<double> bare(251), plated(251);
    for (int bin = 2; bin <= 250; ++bin) {
      bare[bin] = without.beamAxis->spectrum[bin];
      plated[bin] = bare[bin] * std::exp(-materials[bin - 1][5] * 0.24);  // pmma column
    }
    EXPECT_NEAR(without.hvlReference, halfValueLayer(bare, coefficients), 2e-3);
    EXPECT_NEAR(with.hvlReference, halfValueLayer(plated, coefficients), 2e-3);
    EXPECT_GT(with.hvlReference - without.hvlReference, 0.02);
  }
}

}  // namespace
