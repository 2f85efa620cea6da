#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text_files/file_error.h"
#include "text_files/input_file.h"
#include "text_files/number_text.h"
#include "text_files/scratch_directory.h"

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
              throwsFileError("result.dat, line 2, field 2:", "not a number"));
  const auto commas = scratch.write("commas.dat", "1\n,, 7 , x\n");
  FieldReader commaReader(commas);
  for (int i = 0; i < 4; ++i) commaReader.next();
  EXPECT_THAT([&] { commaReader.next(); }, throwsFileError("commas.dat, line 2, field 4:"));

  const auto trailing = scratch.write("trailing.dat", "30kV");
  EXPECT_THAT([&] { FieldReader(trailing).next(); }, throwsFileError("\"30kV\" is not a number"));
  const auto huge = scratch.write("huge.dat", "1e999");
  EXPECT_THAT([&] { FieldReader(huge).next(); }, throwsFileError("out of range"));
}

TEST(FieldReader, MissingSpecialOrHugeFilesAreRefusedByName) {
  ScratchDirectory scratch;
  EXPECT_THAT([&] { FieldReader reader(scratch.path() / "absent.dat"); },
              throwsFileError("absent.dat", "cannot be opened"));
  // A pipe without a writer is refused at once instead of blocking the reader.
  const std::filesystem::path fifo = scratch.path() / "B2F.dat";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_THAT([&] { FieldReader reader(fifo); }, throwsFileError("B2F.dat", "not a regular file"));
  EXPECT_THAT([] { FieldReader reader("/dev/zero"); },
              throwsFileError("/dev/zero", "not a regular file"));
  const auto large = scratch.write("Result.dat", std::string(kMaxInputFileBytes + 1, '1'));
  EXPECT_THAT([&] { FieldReader reader(large); }, throwsFileError("Result.dat", "larger than"));
  const auto limit = scratch.write("limit.dat", std::string(kMaxInputFileBytes, '1'));
  EXPECT_NO_THROW(FieldReader reader(limit));
}

}  // namespace
}  // namespace palvane
