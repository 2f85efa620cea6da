#include "engine/input_text.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>

#include "caught_message.h"
#include "engine/input_error.h"
#include "scratch_directory.h"

namespace engine {
namespace {

std::string readError(const std::filesystem::path& file) {
  return caughtMessage<InputError>([&] { readInputFile(file); });
}

TEST(ReadInputFile, RefusesAFifoWithoutWaitingForAWriter) {
  ScratchDirectory directory;
  const std::filesystem::path fifo = directory.path() / "B2F.dat";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto message = std::async(std::launch::async, [&] { return readError(fifo); });
  if (message.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    ADD_FAILURE() << "reading the FIFO blocks";
    // A writer that closes at once ends the blocked read, so that the test can end.
    ::close(::open(fifo.c_str(), O_WRONLY));
  }
  EXPECT_EQ(message.get(), "B2F.dat: " + std::string(kNotARegularFile));
}

TEST(ReadInputFile, RefusesDevicesDirectoriesAndFilesAbove1MiB) {
  ScratchDirectory directory;
  EXPECT_EQ(readError("/dev/zero"), "zero: " + std::string(kNotARegularFile));
  std::filesystem::create_directory(directory.path() / "Mo-STP.dat");
  EXPECT_EQ(readError(directory.path() / "Mo-STP.dat"),
            "Mo-STP.dat: " + std::string(kNotARegularFile));

  // Sparse: the size is what counts, not the blocks on the disk.
  const std::filesystem::path large = directory.write("MUs3.dat", "");
  std::filesystem::resize_file(large, 3ull << 30);
  EXPECT_EQ(readError(large), "MUs3.dat: " + std::string(kInputFileTooLarge));
  std::filesystem::resize_file(large, kLargestInputFile + 1);
  EXPECT_EQ(readError(large), "MUs3.dat: " + std::string(kInputFileTooLarge));
  std::filesystem::resize_file(large, kLargestInputFile);
  EXPECT_EQ(readInputFile(large).size(), static_cast<std::size_t>(kLargestInputFile));
}

}  // namespace
}  // namespace engine
