#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "palvane/state/file_error.h"
#include "palvane/state/number_text.h"
#include "palvane_state/scratch_directory.h"

namespace palvane {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

std::vector<double> readFields(const std::filesystem::path& file, int count) {
  FieldReader reader(file);
  std::vector<double> values;
  for (int i = 0; i < count; ++i) values.push_back(reader.next());
  return values;
}

// Matches a FileError whose message holds every given text.
template <typename... Texts>
auto throwsFileError(Texts... texts) {
  return ::testing::ThrowsMessage<FileError>(AllOf(HasSubstr(texts)...));
}

TEST(FieldReader, SeparatesAtCommasBlankRunsAndLineEnds) {
  ScratchDirectory scratch;
  const auto file = scratch.write("values.dat", "1.5, 2\r\n  3E+01,4\n\n5   6\t7 , 8\r\n");
  EXPECT_EQ(readFields(file, 8), (std::vector<double>{1.5, 2, 30, 4, 5, 6, 7, 8}));
}

TEST(FieldReader, ReadsTheNotationsTheEnginesAndTablesUse) {
  ScratchDirectory scratch;
  const auto file =
      scratch.write("values.dat", "0.030 0.123E+01 .12346E-03 1.234E+01 -2.5 +3 0.1000E+01");
  EXPECT_EQ(readFields(file, 7), (std::vector<double>{0.030, 1.23, 0.12346e-3, 12.34, -2.5, 3, 1}));
}

TEST(FieldReader, AnEmptyFieldBetweenCommasIsZero) {
  ScratchDirectory scratch;
  const auto file = scratch.write("values.dat", "1,,2, ,3");
  EXPECT_EQ(readFields(file, 5), (std::vector<double>{1, 0, 2, 0, 3}));
}

TEST(FieldReader, EndOfFileNamesTheFileAndTheFieldsItHad) {
  ScratchDirectory scratch;
  const auto file = scratch.write("short.dat", "1 2\r\n3\r\n  \r\n");
  FieldReader reader(file);
  for (int i = 0; i < 3; ++i) reader.next();
  EXPECT_THAT([&] { reader.next(); }, throwsFileError("short.dat", "after 3 values"));
}

TEST(FieldReader, AFieldThatIsNotANumberNamesFileLineAndField) {
  ScratchDirectory scratch;
  const auto file = scratch.write("result.dat", "1 2\r\n3 ******* 5\r\n");
  FieldReader reader(file);
  for (int i = 0; i < 3; ++i) reader.next();
  EXPECT_THAT([&] { reader.next(); },
              throwsFileError("result.dat, line 2, field 4", "not a number"));

  const auto trailing = scratch.write("trailing.dat", "30kV");
  EXPECT_THAT([&] { FieldReader(trailing).next(); }, throwsFileError("\"30kV\" is not a number"));
  const auto huge = scratch.write("huge.dat", "1e999");
  EXPECT_THAT([&] { FieldReader(huge).next(); }, throwsFileError("out of range"));
}

TEST(FieldReader, AMissingFileIsNamed) {
  ScratchDirectory scratch;
  EXPECT_THAT([&] { FieldReader reader(scratch.path() / "absent.dat"); },
              throwsFileError("absent.dat", "cannot be opened"));
}

}  // namespace
}  // namespace palvane
