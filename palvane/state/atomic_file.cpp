#include "palvane/state/atomic_file.h"

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

#include "palvane/state/file_error.h"

namespace palvane {

void replaceFileContents(const std::filesystem::path& file, std::string_view contents) {
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  const auto fail = [&](const std::string& reason) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return FileError(file.string() + ": cannot be written (" + reason + ")");
  };
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw fail(std::generic_category().message(errno));
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    if (!out) throw fail(std::generic_category().message(errno));
  }
  std::error_code renameError;
  std::filesystem::rename(temporary, file, renameError);
  if (renameError) throw fail(renameError.message());
}

}  // namespace palvane
