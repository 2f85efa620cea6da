#include "sweep/installed_tables.h"

#include <system_error>

#include "sweep/engine_process.h"
#include "text_files/table_files.h"

namespace sweep {

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
