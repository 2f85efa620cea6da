#include "palvane/state/atomic_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "palvane/state/file_error.h"
#include "palvane_state/scratch_directory.h"

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

}  // namespace
}  // namespace palvane
