#include "text_files/parameter_file.h"

#include <gtest/gtest.h>

#include "text_files/file_error.h"

namespace {

using palvane::Target;
using palvane::TubeSetup;

TEST(ParameterFile, FormDefaultsForMolybdenum) {
  EXPECT_EQ(palvane::parameterFileText(TubeSetup{}),
            "0\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n");
}

TEST(ParameterFile, TungstenWithRhodiumAndWideValues) {
  const TubeSetup setup{Target::kTungsten, 100, 22, 0, 0.8, 12.346, 0, 0.025, 45.5, {}, {}};
  EXPECT_EQ(palvane::parameterFileText(setup),
            "1\r\n100.0\r\n22.0\r\n00.0\r\n00.80\r\n12.35\r\n00.000\r\n00.025\r\n45.500\r\n");
}

}  // namespace

namespace {

// Added layers follow the nine lines, each of more than 0 mm, and read back as written.
TEST(ParameterFile, AddedLayersFollowTheNinthLineAndReadBack) {
  TubeSetup setup;
  setup.target = Target::kTungsten;
  setup.molybdenum = 0;
  setup.addedFilters = {{"ag", 0.05}, {"cu", 0}, {"al", 0.7}};
  setup.plate = palvane::AddedLayer{"pmma", 2.4};
  const std::string text = palvane::parameterFileText(setup);
  EXPECT_EQ(text,
            "1\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.000\r\n00.000\r\n60.000\r\n"
            "filter ag 00.050\r\nfilter al 00.700\r\nplate pmma 02.400\r\n");
  TubeSetup read;
  palvane::readAddedLayerLines(text, "B2F.dat", read);
  EXPECT_EQ(read.addedFilters, (std::vector<palvane::AddedLayer>{{"ag", 0.05}, {"al", 0.7}}));
  EXPECT_EQ(read.plate, setup.plate);
  try {
    palvane::readAddedLayerLines(text + "\r\nfilter ag\r\n", "B2F.dat", read);
    ADD_FAILURE() << "a layer without thickness was read";
  } catch (const palvane::FileError& error) {
    EXPECT_EQ(std::string(error.what()), "B2F.dat, line 14: not a material and a thickness in mm");
  }
}

TEST(ParameterFile, SetupProblemNamesTheAddedLayer) {
  TubeSetup setup;
  setup.addedFilters = {{"ag", -0.1}};
  EXPECT_EQ(palvane::setupProblem(setup), "filter ag -0.1 mm: must lie from 0 to 10 mm");
  setup.addedFilters = {{"Ag!", 0.1}};
  EXPECT_EQ(palvane::setupProblem(setup),
            "filter \"Ag!\": a material is named by lower-case letters and digits, as in "
            "Materials.dat");
  setup.addedFilters.clear();
  setup.plate = palvane::AddedLayer{"ag", 2};
  EXPECT_EQ(palvane::setupProblem(setup),
            "plate ag: a compression plate is of PMMA (pmma) or polycarbonate (pc)");
}

}  // namespace
