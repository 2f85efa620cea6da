#include "sweep/installed_tables.h"

#include <system_error>

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
  if (std::filesystem::exists(here / "MUs3.dat", error)) return here;
  const std::filesystem::path programs = ownExecutableDirectory();
  if (programs.empty()) return here;
  const std::filesystem::path installed = programs.parent_path() / "share" / "palvane";
  if (std::filesystem::exists(installed / "MUs3.dat", error)) return installed;
  return here;
}

}  // namespace sweep
