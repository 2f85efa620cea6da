#include "engine/atomic_file.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "caught_message.h"
#include "scratch_directory.h"

namespace engine {
namespace {

TEST(WriteFileAtomically, WritesTheBytesAsGiven) {
  ScratchDirectory directory;
  const std::string contents("line 1\r\nline 2\r\n\0 end", 21);
  writeFileAtomically(directory.path() / "Result.dat", contents);
  EXPECT_EQ(directory.read("Result.dat"), contents);
  EXPECT_EQ(directory.fileNames(), std::vector<std::string>{"Result.dat"});
}

TEST(WriteFileAtomically, ReplacesAnExistingFileAndLeavesNoTemporaryFile) {
  ScratchDirectory directory;
  directory.write("Result.dat", "an older and longer content");
  directory.write("B2F.dat", "0\r\n");
  writeFileAtomically(directory.path() / "Result.dat", "new");
  EXPECT_EQ(directory.read("Result.dat"), "new");
  EXPECT_EQ(directory.read("B2F.dat"), "0\r\n");
  EXPECT_EQ(directory.fileNames().size(), 2u);
}

TEST(WriteFileAtomically, ReportsFailureWithTheFileNameAndLeavesNothingBehind) {
  ScratchDirectory directory;
  EXPECT_EQ(caughtMessage<std::runtime_error>(
                [&] { writeFileAtomically(directory.path() / "missing" / "Result.dat", "new"); }),
            "Result.dat: " + std::string(kCannotBeWritten) + " (No such file or directory)");
  EXPECT_TRUE(directory.fileNames().empty());

  // A directory where the file should be cannot be replaced; it stays as it was.
  std::filesystem::create_directory(directory.path() / "Result.dat");
  const std::string message = caughtMessage<std::runtime_error>(
      [&] { writeFileAtomically(directory.path() / "Result.dat", "new"); });
  EXPECT_EQ(message.rfind("Result.dat: " + std::string(kCannotBeWritten) + " (", 0), 0u) << message;
  EXPECT_TRUE(std::filesystem::is_directory(directory.path() / "Result.dat"));
  EXPECT_EQ(directory.fileNames(), std::vector<std::string>{"Result.dat"});
}

}  // namespace
}  // namespace engine
