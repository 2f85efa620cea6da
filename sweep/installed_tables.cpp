#include "sweep/installed_tables.h"

#include <system_error>

#include "text_files/table_files.h"

namespace sweep {

namespace {

// The directory of the running program, or an empty path when the system does not say.
std::filesystem::path ownExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : self.parent_path();
}

}  // namespace

std::filesystem::path defaultTablesDirectory() {
  const std::filesystem::path here = ".";
  std::error_code error;
  if (std::filesystem::exists(here / palvane::kCoefficientTableFile, error)) return here;
  const std::filesystem::path programs = ownExecutableDirectory();
  if (programs.empty()) return here;
  const std::filesystem::path installed = palvane::installedTablesDirectory(programs);
  if (std::filesystem::exists(installed / palvane::kCoefficientTableFile, error)) return installed;
  return here;
}

}  // namespace sweep
