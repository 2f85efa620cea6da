#include "text_files/atomic_file.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "text_files/file_error.h"
#include "text_files/scratch_directory.h"

namespace palvane {
namespace {

TEST(ReplaceFileContents, ReplacesWholeOrNamesTheFileAndKeepsWhatWasThere) {
  ScratchDirectory scratch;
  scratch.write("B2F.dat", "old\r\n");
  replaceFileContents(scratch.path() / "B2F.dat", "new\r\n");
  EXPECT_EQ(scratch.read("B2F.dat"), "new\r\n");
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "B2F.dat.tmp"));

  // A directory where the file should be cannot be replaced by a file.
  std::filesystem::create_directory(scratch.path() / "B_SPCTL.dat");
  scratch.write("B_SPCTL.dat/kept", "kept");
  EXPECT_THAT(
      [&] { replaceFileContents(scratch.path() / "B_SPCTL.dat", "new"); },
      ::testing::ThrowsMessage<FileError>(::testing::HasSubstr("B_SPCTL.dat: cannot be written")));
  EXPECT_EQ(scratch.read("B_SPCTL.dat/kept"), "kept");
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "B_SPCTL.dat.tmp"));
  EXPECT_THROW(replaceFileContents(scratch.path() / "missing" / "B2F.dat", "new"), FileError);
}

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ReplaceFileContents, LeavesOtherFilesAndLinksBesideTheTargetAlone) {
  ScratchDirectory scratch;
  scratch.write("out.csv.tmp", "someone else's");
  scratch.write("victim", "victim");
  std::filesystem::create_symlink(scratch.path() / "victim", scratch.path() / "B2F.dat.tmp");
  replaceFileContents(scratch.path() / "out.csv", "table");
  replaceFileContents(scratch.path() / "B2F.dat", "settings");
  EXPECT_EQ(scratch.read("out.csv"), "table");
  EXPECT_EQ(scratch.read("out.csv.tmp"), "someone else's");
  EXPECT_EQ(scratch.read("victim"), "victim");
  EXPECT_TRUE(std::filesystem::is_symlink(scratch.path() / "B2F.dat.tmp"));
  EXPECT_FALSE(std::filesystem::is_symlink(scratch.path() / "B2F.dat"));
  EXPECT_EQ(scratch.read("B2F.dat"), "settings");
  EXPECT_EQ(namesIn(scratch.path()), (std::vector<std::string>{"B2F.dat", "B2F.dat.tmp", "out.csv",
                                                               "out.csv.tmp", "victim"}));
}

TEST(ReplaceFileContents, SpecialFilesAreWrittenIntoNeverReplaced) {
  replaceFileContents("/dev/null", "gone");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_THAT([] { replaceFileContents("/dev/full", "lost"); },
              ::testing::ThrowsMessage<FileError>(::testing::HasSubstr("/dev/full")));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));

  ScratchDirectory scratch;
  const std::filesystem::path fifo = scratch.path() / "B2F.dat";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // No reader: refused at once rather than waited for.
  EXPECT_THROW(replaceFileContents(fifo, "settings"), FileError);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(ReplacementFile, UncommittedOrKilledWritesLeaveTheOldFileAndNothingElse) {
  ScratchDirectory scratch;
  scratch.write("Result.dat", "old");
  { ReplacementFile abandoned(scratch.path() / "Result.dat"); }
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  if (child == 0) {
    ReplacementFile file(scratch.path() / "Result.dat");
    ::write(ready[1], "x", 1);
    pause();
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
  EXPECT_EQ(scratch.read("Result.dat"), "old");
  EXPECT_EQ(namesIn(scratch.path()), std::vector<std::string>{"Result.dat"});
  // A target whose folder is missing is found when the file is opened, before any work.
  EXPECT_THROW(ReplacementFile(scratch.path() / "missing" / "out.csv"), FileError);
}

}  // namespace
}  // namespace palvane
