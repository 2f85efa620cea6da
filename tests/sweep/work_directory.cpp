#include "sweep/work_directory.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>
#include <utility>

namespace sweep {

WorkDirectory::WorkDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "palvane-sweep-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(),
                            "cannot create a working directory like " + pattern);
  }
  path_ = pattern;
}

WorkDirectory::~WorkDirectory() { remove(); }

WorkDirectory::WorkDirectory(WorkDirectory&& other) noexcept
    : path_(std::exchange(other.path_, {})) {}

WorkDirectory& WorkDirectory::operator=(WorkDirectory&& other) noexcept {
  if (this != &other) {
    remove();
    path_ = std::exchange(other.path_, {});
  }
  return *this;
}

void WorkDirectory::remove() noexcept {
  if (path_.empty()) return;
  std::error_code ignored;  // a directory left behind in /tmp is no reason to fail a sweep
  std::filesystem::remove_all(path_, ignored);
  path_.clear();
}

}  // namespace sweep
