#pragma once

#include <filesystem>
#include <string_view>

namespace palvane {

// The new contents of one file, written so that a reader sees the old file or the complete
// new one and never a part. Opening makes an unnamed temporary file in the target's folder
// (O_TMPFILE; where the file system refuses it, a file created exclusively under a unique
// name, never through a link), so a target that cannot be created is found before any
// work is done. commit() writes the contents and moves them into place; an object that
// goes without commit(), or a failing commit(), leaves the old file as it was and no
// temporary file behind (with O_TMPFILE, not even when the process is killed).
// A target that exists and is neither a regular file nor a folder (a device such as
// /dev/null, or a pipe with a reader) is written into directly: it cannot be replaced, and
// replacing it would destroy it. A pipe without a reader is refused rather than waited for.
// Errors throw FileError naming the target.
class ReplacementFile {
 public:
  explicit ReplacementFile(std::filesystem::path target);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  void commit(std::string_view contents);

 private:
  void discard() noexcept;

  std::filesystem::path target_;
  std::filesystem::path namedTemporary_;  // empty with O_TMPFILE or a special target
  int descriptor_ = -1;
  bool intoSpecialFile_ = false;
};

// Replaces the file with the given contents through a ReplacementFile.
void replaceFileContents(const std::filesystem::path& file, std::string_view contents);

}  // namespace palvane
