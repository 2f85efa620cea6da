#include "engine/parameter_file.h"

#include <gtest/gtest.h>

#include <string>

#include "caught_message.h"
#include "engine/input_error.h"
#include "engine/numeric_field.h"
#include "scratch_directory.h"

namespace engine {
namespace {

std::string readError(const ScratchDirectory& directory, const std::string& contents) {
  const auto file = directory.write("B2F.dat", contents);
  return caughtMessage<InputError>([&] { readParameterFile(file); });
}

TEST(ReadParameterFile, ReadsTheNineLinesTheInteractiveProgramWrites) {
  ScratchDirectory directory;
  const auto file = directory.write(
      "B2F.dat", "0\r\n28.0\r\n22.0\r\n00.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n");
  const BeamParameters parameters = readParameterFile(file);
  EXPECT_EQ(parameters.targetCode, 0);
  EXPECT_EQ(parameters.tubeVoltage, 28.0f);
  EXPECT_EQ(parameters.targetAngle, 22.0f);
  EXPECT_EQ(parameters.tiltAngle, 0.0f);
  // Thicknesses are held in cm: the value read times 0.1 in single precision.
  EXPECT_EQ(parameters.beryllium, 0.8f * 0.1f);
  EXPECT_EQ(parameters.aluminium, 0.0f);
  EXPECT_EQ(parameters.molybdenum, 0.03f * 0.1f);
  EXPECT_EQ(parameters.rhodium, 0.0f);
  EXPECT_EQ(parameters.airLayer, 60.0f);  // used as read, not scaled
}

TEST(ReadParameterFile, TakesTheFirstValueOfEachLineThatHoldsOne) {
  ScratchDirectory directory;
  const auto file = directory.write("B2F.dat",
                                    "  1  tungsten\n"
                                    "\n"
                                    "   \t \n"
                                    "28\n"          // no point: 28.0
                                    "2.2E1,23\n"    // ends at the comma
                                    "\t-1.5D0 x\n"  // D exponent, tab in front
                                    "5e-1\r\n"
                                    "+2.\n"
                                    "0.5E-1\n"
                                    ".0 \n"
                                    "6.0E1");  // no line end after the last line
  const BeamParameters parameters = readParameterFile(file);
  EXPECT_EQ(parameters.targetCode, 1);
  EXPECT_EQ(parameters.tubeVoltage, 28.0f);
  EXPECT_EQ(parameters.targetAngle, 22.0f);
  EXPECT_EQ(parameters.tiltAngle, -1.5f);
  EXPECT_EQ(parameters.beryllium, 0.5f * 0.1f);
  EXPECT_EQ(parameters.aluminium, 2.0f * 0.1f);
  EXPECT_EQ(parameters.molybdenum, 0.05f * 0.1f);
  EXPECT_EQ(parameters.rhodium, 0.0f);
  EXPECT_EQ(parameters.airLayer, 60.0f);
}

TEST(ReadParameterFile, ReportsAMissingOrShortFile) {
  ScratchDirectory directory;
  EXPECT_EQ(caughtMessage<InputError>([&] { readParameterFile(directory.path() / "B2F.dat"); }),
            "B2F.dat: cannot be opened (No such file or directory)");
  EXPECT_EQ(readError(directory, "0\n28.0\n22.0\n0\n0.8\n0\n0.03\n0\n"),
            "B2F.dat: 8 values, 9 needed");
  EXPECT_EQ(readError(directory, "0\n28.0\n\n\n"), "B2F.dat: 2 values, 9 needed");
  EXPECT_EQ(readError(directory, ""), "B2F.dat: 0 values, 9 needed");
}

TEST(ReadParameterFile, NamesTheLineOfAValueThatCannotBeRead) {
  ScratchDirectory directory;
  EXPECT_EQ(readError(directory, "1.0\n28.0\n22\n0\n0\n0\n0\n0\n60\n"),
            "B2F.dat, line 1: " + std::string(kTargetCodeNotInteger));
  EXPECT_EQ(readError(directory, "1E0\n28.0\n22\n0\n0\n0\n0\n0\n60\n"),
            "B2F.dat, line 1: " + std::string(kTargetCodeNotInteger));
  EXPECT_EQ(readError(directory, "one\n28.0\n22\n0\n0\n0\n0\n0\n60\n"),
            "B2F.dat, line 1: \"one\"" + std::string(kNotANumber));
  EXPECT_EQ(readError(directory, "99999999999\n28.0\n22\n0\n0\n0\n0\n0\n60\n"),
            "B2F.dat, line 1: 99999999999" + std::string(kBeyondIntegerRange));
  // Lines passed over still count: the text is on line 5 of the file.
  EXPECT_EQ(readError(directory, "0\n28.0\n\n\nkV\n0\n0\n0\n0\n0\n60\n"),
            "B2F.dat, line 5: \"kV\"" + std::string(kNotANumber));
  EXPECT_EQ(readError(directory, "0\n1E39\n22\n0\n0\n0\n0\n0\n60\n"),
            "B2F.dat, line 2: 1E39" + std::string(kBeyondSinglePrecision));
  EXPECT_EQ(readError(directory, "0\n28.0\n ,22\n0\n0\n0\n0\n0\n60\n"),
            "B2F.dat, line 3: " + std::string(kNoValueBeforeComma));
}

}  // namespace
}  // namespace engine
