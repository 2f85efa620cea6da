#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace engine {

inline constexpr std::string_view kCannotBeWritten = "cannot be written";

// The complete new contents of `file`, written to a temporary file beside it, to be put in
// place by one rename. Several files can so be prepared before any of them changes. The
// temporary file is removed when the object goes without putInPlace(). Errors throw
// std::runtime_error naming the file.
class PreparedFile {
 public:
  PreparedFile(std::filesystem::path file, const std::string& contents);
  ~PreparedFile();
  PreparedFile(const PreparedFile&) = delete;
  PreparedFile& operator=(const PreparedFile&) = delete;

  // Renames the temporary file over `file`; on failure the temporary file is removed.
  void putInPlace();

 private:
  std::filesystem::path file_;
  std::filesystem::path temporary_;
};

// Writes `contents` to a temporary file in the same directory and renames it over `file`,
// so a reader sees the old file or the complete new one. Throws std::runtime_error with
// the file name on failure (and removes the temporary file).
void writeFileAtomically(const std::filesystem::path& file, const std::string& contents);

// The contents of a file as it is now, kept in memory so that putBack() can restore it
// after it has been replaced (written anew through a PreparedFile); a file that did not
// exist is restored by removing what is there then. Throws std::runtime_error naming the
// file when an existing file cannot be read.
class KeptFile {
 public:
  explicit KeptFile(std::filesystem::path file);

  // Best effort: used while another error is being reported.
  void putBack() const noexcept;

 private:
  std::filesystem::path file_;
  std::optional<std::string> contents_;  // none when there was no file
};

}  // namespace engine
