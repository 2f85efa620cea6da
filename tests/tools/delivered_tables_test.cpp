// The committed MUs3.dat and Mo-STP.dat must read the same through the engines' fixed
// columns and through free-format reading, and hold physically sensible numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/bins.h"
#include "engine/coefficient_table.h"
#include "engine/table_files.h"
#include "test_paths.h"

namespace {

const std::filesystem::path kCoefficientFile =
    std::filesystem::path(testpaths::kDataDir) / "MUs3.dat";
const std::filesystem::path kStoppingFile =
    std::filesystem::path(testpaths::kDataDir) / "Mo-STP.dat";

std::string fileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The lines of a file whose every line must end in CR LF; a missing CR fails the test.
std::vector<std::string> crLfLines(const std::filesystem::path& file) {
  const std::string text = fileText(file);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    EXPECT_TRUE(end > start && text[end - 1] == '\r') << file << " line " << lines.size() + 1;
    lines.push_back(text.substr(start, end - start - 1));
  }
  EXPECT_EQ(start, text.size()) << file << " ends without a line end";
  return lines;
}

// Free-format reading: numbers separated by blanks, commas or line ends, read in double
// precision as the interactive program reads them.
std::vector<double> freeFormatValues(const std::string& text) {
  std::vector<double> values;
  std::size_t position = 0;
  while ((position = text.find_first_not_of(" ,\t\r\n", position)) != std::string::npos) {
    const std::size_t end = text.find_first_of(" ,\t\r\n", position);
    const std::string field = text.substr(position, end - position);
    std::size_t used = 0;
    values.push_back(std::stod(field, &used));
    EXPECT_EQ(used, field.size()) << "field \"" << field << "\" is not one number";
    position = end;
  }
  return values;
}

// Columns of MUs3.dat: 1-based column c, 1-based line i, from free-format reading.
double freeColumn(const std::vector<double>& values, int line, int column) {
  return values[static_cast<std::size_t>((line - 1) * 10 + column - 1)];
}

TEST(CoefficientTableFile, LayoutLeavesABlankBeforeEveryFieldAfterTheFirst) {
  const std::vector<std::string> lines = crLfLines(kCoefficientFile);
  ASSERT_EQ(lines.size(), 250u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ASSERT_EQ(lines[i].size(), 126u) << "line " << i + 1;
    for (int field = 2; field <= 10; ++field) {
      EXPECT_EQ(lines[i][static_cast<std::size_t>(9 + 13 * (field - 2))], ' ')
          << "line " << i + 1 << ", field " << field;
    }
    EXPECT_EQ(freeFormatValues(lines[i]).size(), 10u) << "line " << i + 1;
  }
}

TEST(CoefficientTableFile, FixedColumnsAndFreeFormatGiveTheSameFloats) {
  const engine::CoefficientTable table = engine::readCoefficientTable(kCoefficientFile);
  const std::vector<double> free = freeFormatValues(fileText(kCoefficientFile));
  ASSERT_EQ(free.size(), 2500u);
  for (int bin = 1; bin <= engine::kBinCount; ++bin) {
    SCOPED_TRACE("line " + std::to_string(bin));
    EXPECT_EQ(static_cast<float>(freeColumn(free, bin, 1)), static_cast<float>(bin / 5.0));
    EXPECT_EQ(static_cast<float>(freeColumn(free, bin, 2)), table.muMo[bin]);
    EXPECT_EQ(static_cast<float>(freeColumn(free, bin, 3)), table.muRh[bin]);
    EXPECT_EQ(static_cast<float>(freeColumn(free, bin, 4)), table.muAl[bin]);
    EXPECT_EQ(static_cast<float>(freeColumn(free, bin, 5)), table.muBe[bin]);
    EXPECT_EQ(static_cast<float>(freeColumn(free, bin, 7)), table.muAir[bin]);
    EXPECT_EQ(static_cast<float>(freeColumn(free, bin, 8)), table.muEnAir[bin]);
    EXPECT_EQ(static_cast<float>(freeColumn(free, bin, 10)), table.muW[bin]);
  }
}

TEST(CoefficientTableFile, EveryCoefficientIsPositiveAndFinite) {
  const std::vector<double> free = freeFormatValues(fileText(kCoefficientFile));
  for (std::size_t i = 0; i < free.size(); ++i) {
    EXPECT_TRUE(std::isfinite(free[i]) && free[i] > 0.0) << "value " << i + 1 << " = " << free[i];
  }
}

// The molybdenum K edge (20.0 keV) lies on bin 100: the coefficient jumps up by the K jump
// ratio (about 6) once, between bins 99 and 100 or between 100 and 101, and falls elsewhere.
TEST(CoefficientTableFile, MolybdenumKEdgeJumpsOnceAtTwentyKeV) {
  const engine::CoefficientTable table = engine::readCoefficientTable(kCoefficientFile);
  int jumps = 0;
  for (int bin = 90; bin < 110; ++bin) {
    const float ratio = table.muMo[bin + 1] / table.muMo[bin];
    if (bin == 99 || bin == 100) {
      if (ratio > 4.0f) ++jumps;
    } else {
      EXPECT_LT(ratio, 1.0f) << "bins " << bin << " to " << bin + 1;
    }
  }
  EXPECT_EQ(jumps, 1);
}

// Reference values of the NIST tables of X-ray mass attenuation and energy-absorption
// coefficients (Hubbell and Seltzer), in cm^2/g; the file holds the linear attenuation
// coefficients at the stated densities. Catches a wrong column, density or unit.
TEST(CoefficientTableFile, AgreesWithReferenceCoefficients) {
  const engine::CoefficientTable table = engine::readCoefficientTable(kCoefficientFile);
  const std::vector<double> free = freeFormatValues(fileText(kCoefficientFile));
  struct Reference {
    int bin;
    double aluminium, air, airAbsorption, waterAbsorption;
  };
  for (const Reference& ref :
       {Reference{50, 26.23, 5.120, 4.742, 4.944}, Reference{100, 3.441, 0.7779, 0.5389, 0.5503},
        Reference{150, 1.128, 0.3538, 0.1537, 0.1557},
        Reference{250, 0.3681, 0.2080, 0.04098, 0.04223}}) {
    SCOPED_TRACE("bin " + std::to_string(ref.bin));
    EXPECT_NEAR(table.muAl[ref.bin] / 2.699, ref.aluminium, 0.02 * ref.aluminium);
    EXPECT_NEAR(table.muAir[ref.bin] / 0.001205, ref.air, 0.02 * ref.air);
    EXPECT_NEAR(table.muEnAir[ref.bin], ref.airAbsorption, 0.02 * ref.airAbsorption);
    EXPECT_NEAR(freeColumn(free, ref.bin, 9), ref.waterAbsorption, 0.02 * ref.waterAbsorption);
  }
}

TEST(StoppingPowerTableFile, LayoutLeavesABlankBeforeTheStoppingPower) {
  const std::vector<std::string> lines = crLfLines(kStoppingFile);
  ASSERT_EQ(lines.size(), 20u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ASSERT_EQ(lines[i].size(), 16u) << "line " << i + 1;
    EXPECT_EQ(lines[i][4], ' ') << "line " << i + 1;
    EXPECT_EQ(freeFormatValues(lines[i]).size(), 2u) << "line " << i + 1;
  }
}

TEST(StoppingPowerTableFile, FixedColumnsAndFreeFormatGiveTheSameFloats) {
  const engine::StoppingPowerTable table = engine::readStoppingPowerTable(kStoppingFile);
  const std::vector<double> free = freeFormatValues(fileText(kStoppingFile));
  ASSERT_EQ(free.size(), 40u);
  const double energies[] = {0.5,  1.0,  1.5,  2.0,  3.0,  4.0,  5.0,  6.0,  8.0,  10.0,
                             12.5, 15.0, 17.5, 20.0, 25.0, 30.0, 35.0, 40.0, 45.0, 50.0};
  for (int row = 0; row < engine::kStoppingPowerRows; ++row) {
    SCOPED_TRACE("line " + std::to_string(row + 1));
    EXPECT_EQ(free[2 * row], energies[row]);
    EXPECT_EQ(table.energy[row], static_cast<float>(energies[row]));
    EXPECT_EQ(table.stoppingPower[row], static_cast<float>(free[2 * row + 1]));
  }
}

// Collision stopping power of molybdenum in MeV cm^2/g, as tabulated for electrons.
TEST(StoppingPowerTableFile, MatchesTabulatedMolybdenumValues) {
  const engine::StoppingPowerTable table = engine::readStoppingPowerTable(kStoppingFile);
  const struct {
    int row;
    float expected;
  } references[] = {{1, 45.4f}, {9, 11.8f}, {13, 7.27f}, {19, 3.85f}};  // 1, 10, 20, 50 keV
  for (const auto& ref : references) {
    EXPECT_NEAR(table.stoppingPower[ref.row], ref.expected, 0.02f * ref.expected)
        << table.energy[ref.row] << " keV";
  }
  for (int row = 1; row < engine::kStoppingPowerRows; ++row) {
    EXPECT_LT(table.stoppingPower[row], table.stoppingPower[row - 1]) << "line " << row + 1;
  }
}

}  // namespace
