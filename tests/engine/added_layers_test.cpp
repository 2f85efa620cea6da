#include "engine/added_layers.h"

#include <gtest/gtest.h>

#include <string>

#include "caught_message.h"
#include "engine/input_error.h"
#include "engine/parameter_file.h"

namespace engine {
namespace {

const std::string kNineLines =
    "1\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.000\r\n00.000\r\n60.000\r\n";

std::string parameterError(const std::string& extraLines) {
  return caughtMessage<InputError>([&] { readParameterText(kNineLines + extraLines, "B2F.dat"); });
}

TEST(AddedLayers, ReadsFiltersInOrderAndThePlateAfterTheNinthLine) {
  const BeamParameters parameters = readParameterText(
      kNineLines + "filter ag 00.050\r\n\r\n  plate  pmma 2.4\r\nfilter al .7\r\nfilter cu 0\r\n",
      "B2F.dat");
  ASSERT_EQ(parameters.addedFilters.size(), 2u);  // the 0 mm copper is absent
  EXPECT_EQ(parameters.addedFilters[0].material, "ag");
  EXPECT_EQ(parameters.addedFilters[0].thickness, 0.05f * 0.1f);
  EXPECT_EQ(parameters.addedFilters[0].line, 10);
  EXPECT_EQ(parameters.addedFilters[1].material, "al");
  ASSERT_TRUE(parameters.plate);
  EXPECT_EQ(parameters.plate->material, "pmma");
  EXPECT_EQ(parameters.plate->thickness, 2.4f * 0.1f);
  EXPECT_EQ(parameters.plate->line, 12);
}

TEST(AddedLayers, RefusesALineThatIsNoLayerNamingIt) {
  EXPECT_EQ(parameterError("filter ag\r\n"),
            "B2F.dat, line 10: \"filter ag\" is not an added layer (\"filter\" or \"plate\", a "
            "material and a thickness in mm, as in \"filter ag 00.050\")");
  EXPECT_EQ(parameterError("\r\nfiltre ag 1\r\n"),
            "B2F.dat, line 11: \"filtre ag 1\" is not an added layer (\"filter\" or \"plate\", a "
            "material and a thickness in mm, as in \"filter ag 00.050\")");
  EXPECT_EQ(parameterError("filter Ag 1\r\n"), "B2F.dat, line 10: \"Ag\" is not a material name");
  EXPECT_EQ(parameterError("filter ag -0.1\r\n"),
            "B2F.dat, line 10: filter ag -0.1 mm: the thickness must lie from 0 to 10 mm");
  EXPECT_EQ(parameterError("plate pmma 1e9\r\n"),
            "B2F.dat, line 10: plate pmma 1e+09 mm: the thickness must lie from 0 to 10 mm");
  EXPECT_EQ(parameterError("plate pmma 2\r\nplate pc 3\r\n"),
            "B2F.dat, line 11: a second compression plate (the first is on line 10)");
  EXPECT_NE(parameterError("filter ag x\r\n").find("B2F.dat, line 10: "), std::string::npos);
}

std::string materialText(int lines) {
  std::string text = "      keV           ag         pmma\r\n";
  for (int bin = 1; bin <= lines; ++bin) {
    char line[64];
    std::snprintf(line, sizeof line, "%9.3f%13.5f%13.5f\r\n", bin * 0.2, 100.0 + bin, 1.0);
    text += line;
  }
  return text;
}

TEST(AddedLayers, MaterialsAreFoundByTheirHeadingAndAMissingOneIsNamed) {
  const MaterialTable table = readMaterialTableText(materialText(250), "Materials.dat");
  EXPECT_EQ(table.at("ag")[7], 107.0f);
  EXPECT_EQ(table.at("pmma")[250], 1.0f);
  BeamParameters parameters =
      readParameterText(kNineLines + "plate pmma 2\r\nfilter sn 1\r\n", "B2F.dat");
  EXPECT_EQ(caughtMessage<InputError>([&] { resolveMaterials(parameters, table); }),
            "B2F.dat, line 11: no material \"sn\" in Materials.dat (it holds ag, pmma)");
}

TEST(AddedLayers, ADamagedMaterialTableIsNamedByLineAndField) {
  const auto error = [](const std::string& text) {
    return caughtMessage<InputError>([&] { readMaterialTableText(text, "Materials.dat"); });
  };
  EXPECT_EQ(error(materialText(249)), "Materials.dat: 250 lines, 251 needed");
  EXPECT_EQ(error(""), "Materials.dat: empty: the heading line is missing");
  std::string text = materialText(250);
  EXPECT_EQ(error(text.substr(text.find('\n') + 1)),
            "Materials.dat, line 1: the heading must name \"keV\" and one material per column");
  std::string shortLine = text;
  shortLine.replace(shortLine.find("\r\n", 40) - 13, 13, "");  // line 2 loses pmma
  EXPECT_EQ(error(shortLine), "Materials.dat, line 2, field 3: the line ends before this column");
  std::string negative = text;
  negative.replace(negative.find("  101.00000"), 11, " -101.00000");
  EXPECT_EQ(error(negative), "Materials.dat, line 2, field 2: a coefficient must not be negative");
}

}  // namespace
}  // namespace engine
