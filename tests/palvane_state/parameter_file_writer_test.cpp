#include "palvane/state/parameter_file_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "palvane_physics/fake_ports.h"
#include "text_files/file_error.h"
#include "text_files/scratch_directory.h"

namespace palvane {
namespace {

using ::testing::HasSubstr;

using FixedTexts = FixedParameterTexts;

constexpr const char* kDefaultFile =
    "0\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n";

TEST(ParameterFileText, DefaultMolybdenumSettingsGiveTheNineLines) {
  EXPECT_EQ(parameterFileText(0, FixedTexts{}), kDefaultFile);
}

TEST(ParameterFileText, TungstenDefaultsFlagTheTargetAndTheRhodiumFilter) {
  FixedTexts texts;
  texts.mo = std::string(1, '0');  // (a one-letter literal trips a false GCC 12 warning)
  texts.rh = "0.025";
  EXPECT_EQ(parameterFileText(1, texts),
            "1\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.000\r\n00.025\r\n60.000\r\n");
}

TEST(ParameterFileText, BoxesAreWrittenAsTheirLeadingNumber) {
  FixedTexts texts;
  texts.voltage = "100";    // not checked here: the integer part is never cut
  texts.theta = "12.5deg";  // trailing text ignored
  texts.phi = "abc";        // no number at all: 0
  texts.be = "";            // empty: 0
  texts.al = " 1.234";      // rounded to two decimals
  texts.mo = "-0.05";       // a negative value keeps its sign
  const std::string text = parameterFileText(0, texts);
  EXPECT_EQ(text,
            "0\r\n100.0\r\n12.5\r\n00.0\r\n00.00\r\n01.23\r\n-00.050\r\n00.000\r\n60.000\r\n");
}

TEST(WriteParameterFile, ReplacesAnOldFileCompletely) {
  ScratchDirectory directory;
  directory.write(kParameterFile, std::string(500, 'x'));
  WriteParameterFile(0, FixedTexts{}, directory.path());
  EXPECT_EQ(directory.read(kParameterFile), kDefaultFile);
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(WriteParameterFile, FailureNamesTheFileAndKeepsTheOldOne) {
  ScratchDirectory directory;
  // A folder in the place of the file cannot be replaced; what it holds stays.
  std::filesystem::create_directory(directory.path() / kParameterFile);
  directory.write(std::string(kParameterFile) + "/old", "old");
  try {
    WriteParameterFile(0, FixedTexts{}, directory.path());
    FAIL() << "no error reported";
  } catch (const FileError& error) {
    EXPECT_THAT(error.what(), HasSubstr("B2F.dat"));
  }
  EXPECT_EQ(directory.read(std::string(kParameterFile) + "/old"), "old");
}

}  // namespace
}  // namespace palvane
