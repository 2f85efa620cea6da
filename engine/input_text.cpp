#include "engine/input_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "engine/input_error.h"

namespace engine {

namespace {

[[noreturn]] void throwFileError(const std::filesystem::path& file, std::string_view problem,
                                 int errorNumber) {
  throw InputError(
      describeInputError(file.filename().string(), 0, 0,
                         std::string(problem) + " (" + std::strerror(errorNumber) + ")"));
}

}  // namespace

std::string readInputFile(const std::filesystem::path& file) {
  // Opened without blocking, so that a FIFO in place of the file is refused at once
  // instead of waiting for a writer.
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throwFileError(file, kCannotBeOpened, errno);
  struct stat status {};
  const bool known = ::fstat(fd, &status) == 0;
  const int statError = errno;
  const auto refuse = [&](std::string_view problem) {
    ::close(fd);
    throw InputError(describeInputError(file.filename().string(), 0, 0, std::string(problem)));
  };
  if (!known) {
    ::close(fd);
    throwFileError(file, kCannotBeRead, statError);
  }
  if (!S_ISREG(status.st_mode)) refuse(kNotARegularFile);
  if (status.st_size > kLargestInputFile) refuse(kInputFileTooLarge);

  std::string contents;
  std::array<char, 16384> buffer;
  while (true) {
    const ssize_t count = ::read(fd, buffer.data(), buffer.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      const int readError = errno;
      ::close(fd);
      throwFileError(file, kCannotBeRead, readError);
    }
    if (count == 0) break;
    contents.append(buffer.data(), static_cast<std::size_t>(count));
    // A file that grows while it is read is bounded all the same.
    if (static_cast<long long>(contents.size()) > kLargestInputFile) refuse(kInputFileTooLarge);
  }
  ::close(fd);
  return contents;
}

std::string describeShortfall(int found, int needed, std::string_view unit) {
  std::string text = std::to_string(found) + " " + std::string(unit);
  if (found != 1) text += 's';
  return text + ", " + std::to_string(needed) + " needed";
}

bool RecordReader::next(std::string_view& record) {
  if (rest_.empty()) return false;
  const std::size_t lineEnd = rest_.find('\n');
  record = rest_.substr(0, lineEnd);
  rest_ = lineEnd == std::string_view::npos ? std::string_view() : rest_.substr(lineEnd + 1);
  if (!record.empty() && record.back() == '\r') record.remove_suffix(1);
  ++lineNumber_;
  return true;
}

}  // namespace engine
