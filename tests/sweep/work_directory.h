#pragma once

#include <filesystem>

namespace sweep {

// A fresh private directory under the system's temporary directory, removed with everything
// in it when the object goes. Throws std::system_error when it cannot be created.
class WorkDirectory {
 public:
  WorkDirectory();
  ~WorkDirectory();
  WorkDirectory(WorkDirectory&& other) noexcept;
  WorkDirectory& operator=(WorkDirectory&& other) noexcept;
  WorkDirectory(const WorkDirectory&) = delete;
  WorkDirectory& operator=(const WorkDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  void remove() noexcept;

  std::filesystem::path path_;
};

}  // namespace sweep
