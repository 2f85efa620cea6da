#include "text_files/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "text_files/file_error.h"

namespace palvane {

std::string readInputFile(const std::filesystem::path& file) {
  const std::string name = file.string();
  const auto fail = [&](const std::string& what) { return FileError(name + ": " + what); };
  const auto systemFault = [&](const char* what) {
    return fail(std::string(what) + " (" + std::generic_category().message(errno) + ")");
  };
  // O_NONBLOCK: opening a pipe without a writer would otherwise wait for one.
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (descriptor < 0) throw systemFault("cannot be opened");
  struct Closer {
    int descriptor;
    ~Closer() { ::close(descriptor); }
  } closer{descriptor};
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) throw systemFault("cannot be read");
  if (!S_ISREG(status.st_mode)) throw fail("is not a regular file");
  if (static_cast<std::size_t>(status.st_size) > kMaxInputFileBytes) {
    throw fail("is larger than " + std::to_string(kMaxInputFileBytes) + " bytes");
  }
  std::string contents;
  char buffer[65536];
  while (true) {
    const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw systemFault("cannot be read");
    if (got == 0) break;
    contents.append(buffer, static_cast<std::size_t>(got));
    if (contents.size() > kMaxInputFileBytes) {
      throw fail("is larger than " + std::to_string(kMaxInputFileBytes) + " bytes");
    }
  }
  return contents;
}

}  // namespace palvane
