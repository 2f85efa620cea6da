#include "text_files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#include "text_files/file_error.h"

namespace palvane {

namespace {

constexpr int kNameAttempts = 100;

std::string errorText(int error) { return std::generic_category().message(error); }

std::filesystem::path folderOf(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

// "<target>.tmp" and six random letters and digits: a name nobody else is likely to use.
std::filesystem::path uniqueNameBeside(const std::filesystem::path& target) {
  static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
  std::string suffix(".tmp");
  for (int i = 0; i < 6; ++i) suffix += kAlphabet[pick(random)];
  std::filesystem::path name = target;
  name += suffix;
  return name;
}

bool writeAll(int descriptor, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(descriptor, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

ReplacementFile::ReplacementFile(std::filesystem::path target) : target_(std::move(target)) {
  const auto fail = [&](int error) {
    return FileError(target_.string() + ": cannot be written (" + errorText(error) + ")");
  };
  struct stat existing {};
  if (::stat(target_.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) throw fail(EISDIR);
    if (!S_ISREG(existing.st_mode)) {
      // O_NONBLOCK: a pipe without a reader fails at once instead of waiting for one.
      descriptor_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
      if (descriptor_ < 0) throw fail(errno);
      ::fcntl(descriptor_, F_SETFL, ::fcntl(descriptor_, F_GETFL) & ~O_NONBLOCK);
      intoSpecialFile_ = true;
      return;
    }
  }
  const std::filesystem::path folder = folderOf(target_);
  descriptor_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (descriptor_ >= 0) return;
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) throw fail(errno);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::filesystem::path name = uniqueNameBeside(target_);
    descriptor_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor_ >= 0) {
      namedTemporary_ = name;
      return;
    }
    if (errno != EEXIST) throw fail(errno);
  }
  throw fail(EEXIST);
}

ReplacementFile::~ReplacementFile() { discard(); }

void ReplacementFile::discard() noexcept {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
  if (!namedTemporary_.empty()) ::unlink(namedTemporary_.c_str());
  namedTemporary_.clear();
}

void ReplacementFile::commit(std::string_view contents) {
  const auto fail = [&](int error) {
    discard();
    return FileError(target_.string() + ": cannot be written (" + errorText(error) + ")");
  };
  if (descriptor_ < 0) throw fail(EBADF);
  if (!writeAll(descriptor_, contents)) throw fail(errno);
  if (intoSpecialFile_) {
    const int closed = ::close(std::exchange(descriptor_, -1));
    if (closed != 0) throw fail(errno);
    return;
  }
  if (namedTemporary_.empty()) {
    // Give the unnamed file a unique name beside the target; linkat never replaces an
    // existing name, so nothing of anybody else's is touched.
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
    for (int attempt = 0; namedTemporary_.empty(); ++attempt) {
      const std::filesystem::path name = uniqueNameBeside(target_);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        namedTemporary_ = name;
      } else if (errno != EEXIST || attempt + 1 >= kNameAttempts) {
        throw fail(errno);
      }
    }
  }
  if (::close(std::exchange(descriptor_, -1)) != 0) throw fail(errno);
  if (::rename(namedTemporary_.c_str(), target_.c_str()) != 0) throw fail(errno);
  namedTemporary_.clear();
}

void replaceFileContents(const std::filesystem::path& file, std::string_view contents) {
  ReplacementFile(file).commit(contents);
}

}  // namespace palvane
