#include "palvane/physics/calibration_file.h"

#include <gtest/gtest.h>

#include "text_files/file_error.h"
#include "text_files/scratch_directory.h"

namespace palvane {
namespace {

TEST(CalibrationFile, WrittenFileReadsBackAndHandWrittenOneIsRead) {
  const ScratchDirectory scratch;
  const TubeCalibrationRecord record{
      1, 0.101, {{28, 0.31}, {35, 0.36}}, calibration::OutputCalibration{120, 50}};
  writeCalibrationFile(scratch.path() / "room1.cal", record);
  EXPECT_EQ(scratch.read("room1.cal"),
            "# palvane tube calibration\ntarget = w\naluminium = 0.101\nhvl = 28 0.31\n"
            "hvl = 35 0.36\noutput_kerma = 120\noutput_distance = 50\n");
  const TubeCalibrationRecord back = readCalibrationFile(scratch.path() / "room1.cal");
  EXPECT_EQ(back.targetType, 1);
  EXPECT_EQ(back.aluminium, 0.101);
  ASSERT_EQ(back.pairs.size(), 2u);
  EXPECT_EQ(back.pairs[1].hvl, 0.36);
  ASSERT_TRUE(back.output);
  EXPECT_EQ(back.output->distance, 50.0);

  scratch.write("hand.cal", "\r\n  # room 2\r\ntarget=mo   # Mo/Mo\r\nhvl =  28   0.31 \r\n");
  const TubeCalibrationRecord hand = readCalibrationFile(scratch.path() / "hand.cal");
  EXPECT_EQ(hand.targetType, 0);
  EXPECT_FALSE(hand.aluminium);
  EXPECT_FALSE(hand.output);
  ASSERT_EQ(hand.pairs.size(), 1u);
  EXPECT_EQ(hand.pairs[0].tubeVoltage, 28.0);
}

TEST(CalibrationFile, MalformedFilesAreReportedWithFileAndLine) {
  const ScratchDirectory scratch;
  const struct {
    const char* text;
    const char* where;
  } bad[] = {
      {"target = mo\nhvl = 28\n", "line 2"},
      {"target = mo\nhvl = 28 0\n", "line 2"},
      {"target = mo\nhvl = 55 0.3\n", "line 2"},
      {"target = mo\nhvl = 28 0.3x\n", "line 2"},
      {"target = cu\n", "line 1"},
      {"target = mo\ntarget = w\n", "line 2"},
      {"target = mo\ncolour = red\n", "line 2"},
      {"target = mo\noutput_kerma = 120\n", "line 2"},
      {"target = mo\noutput_kerma = 120\noutput_distance = 0\n", "line 3"},
      {"target = mo\naluminium = -0.1\n", "line 2"},
      {"hvl = 28 0.31\n", "line 1"},
      {"target = mo\nhvl = 25 0.3\nhvl = 28 0.3\nhvl = 30 0.3\nhvl = 35 0.4\n", "line 5"},
      {"target mo\n", "line 1"},
  };
  for (const auto& file : bad) {
    scratch.write("bad.cal", file.text);
    try {
      readCalibrationFile(scratch.path() / "bad.cal");
      ADD_FAILURE() << "read: " << file.text;
    } catch (const FileError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find("bad.cal, " + std::string(file.where) + ":"), std::string::npos)
          << message;
    }
  }
  EXPECT_THROW(readCalibrationFile(scratch.path() / "missing.cal"), FileError);
}

}  // namespace
}  // namespace palvane
