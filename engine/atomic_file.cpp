#include "engine/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace engine {

namespace {

constexpr int kNameAttempts = 100;

[[noreturn]] void throwWriteError(const std::filesystem::path& file, int errorNumber) {
  throw std::runtime_error(file.filename().string() + ": " + std::string(kCannotBeWritten) + " (" +
                           std::strerror(errorNumber) + ")");
}

// Closes the descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and returns 0 or the error number of close.
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// Writes all bytes; returns 0 or the error number.
int writeAll(int fd, const std::string& contents) {
  std::size_t done = 0;
  while (done < contents.size()) {
    const ssize_t count = ::write(fd, contents.data() + done, contents.size() - done);
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(count);
  }
  return 0;
}

// A name beside `file` that no other file has yet ("Result.dat.tmp3f9a2c").
std::filesystem::path candidateName(const std::filesystem::path& file,
                                    std::random_device& randomness) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".tmp%06x", randomness() & 0xffffffu);
  std::filesystem::path temporary = file;
  temporary += suffix;
  return temporary;
}

// Gives the written unnamed file a unique temporary name beside `file`; that name exists
// only between the link and the rename, so a run killed there leaves the complete file
// under that name, never a part of it.
// Returns 0 or the error number.
int linkUnnamed(int fd, const std::filesystem::path& file, std::filesystem::path& temporary) {
  char procPath[64];
  std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fd);
  std::random_device randomness;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temporary = candidateName(file, randomness);
    // linkat never follows a link at the new name: an existing name, link or not, gives
    // EEXIST.
    if (::linkat(AT_FDCWD, procPath, AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

// Creates a new file beside `file` under a unique name, exclusively and without
// following a link, so that a run never writes into a file it did not create. Returns
// the descriptor or -1 with errno set.
int createNamed(const std::filesystem::path& file, std::filesystem::path& temporary) {
  std::random_device randomness;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temporary = candidateName(file, randomness);
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool unnamedFilesRefused(int errorNumber) {
  return errorNumber == EOPNOTSUPP || errorNumber == EISDIR || errorNumber == EINVAL;
}

}  // namespace

PreparedFile::PreparedFile(std::filesystem::path file, const std::string& contents)
    : file_(std::move(file)) {
  std::filesystem::path folder = file_.parent_path();
  if (folder.empty()) folder = ".";
  std::filesystem::path temporary;
  int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  const bool unnamed = fd >= 0;
  if (!unnamed) {
    if (!unnamedFilesRefused(errno)) throwWriteError(file_, errno);
    fd = createNamed(file_, temporary);
    if (fd < 0) throwWriteError(file_, errno);
  }
  Descriptor descriptor(fd);
  std::error_code ignored;
  const auto fail = [&](int errorNumber) {
    if (!temporary.empty()) std::filesystem::remove(temporary, ignored);
    throwWriteError(file_, errorNumber);
  };

  if (const int error = writeAll(fd, contents)) fail(error);
  if (unnamed) {
    if (const int error = linkUnnamed(fd, file_, temporary)) {
      temporary.clear();  // nothing was linked
      fail(error);
    }
  }
  if (const int error = descriptor.close()) fail(error);
  temporary_ = temporary;
}

PreparedFile::~PreparedFile() {
  std::error_code ignored;
  if (!temporary_.empty()) std::filesystem::remove(temporary_, ignored);
}

void PreparedFile::putInPlace() {
  std::error_code renameError;
  std::filesystem::rename(temporary_, file_, renameError);
  if (renameError) throwWriteError(file_, renameError.value());
  temporary_.clear();
}

void writeFileAtomically(const std::filesystem::path& file, const std::string& contents) {
  PreparedFile(file, contents).putInPlace();
}

KeptFile::KeptFile(std::filesystem::path file) : file_(std::move(file)) {
  std::error_code error;
  if (!std::filesystem::exists(file_, error)) return;
  std::ifstream in(file_, std::ios::binary);
  if (!in) throwWriteError(file_, errno != 0 ? errno : EIO);
  contents_.emplace(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) throwWriteError(file_, EIO);
}

void KeptFile::putBack() const noexcept {
  try {
    if (contents_) {
      writeFileAtomically(file_, *contents_);
    } else {
      std::filesystem::remove(file_);
    }
  } catch (...) {
    // The error that made the restoring necessary is the one reported.
  }
}

}  // namespace engine
