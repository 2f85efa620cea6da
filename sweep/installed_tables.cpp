#include "sweep/installed_tables.h"

#include <system_error>

#include "sweep/engine_process.h"

namespace sweep {

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
