#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace engine {

inline constexpr std::string_view kCannotBeOpened = "cannot be opened";
inline constexpr std::string_view kCannotBeRead = "cannot be read";
inline constexpr std::string_view kNotARegularFile = "not a regular file";
inline constexpr std::string_view kInputFileTooLarge =
    "larger than 1 MiB, far beyond any input file of the engines";

// The input files are a few kilobytes; anything above this bound is not one of them.
inline constexpr long long kLargestInputFile = 1024 * 1024;

// The whole contents of an input file. Throws InputError naming the file's bare name:
// "MUs3.dat: cannot be opened (No such file or directory)"; also for anything but a
// regular file (a FIFO is refused without waiting) and for a file above 1 MiB.
std::string readInputFile(const std::filesystem::path& file);

// "249 lines, 250 needed": what a file that ends too early held.
std::string describeShortfall(int found, int needed, std::string_view unit);

// Walks the records of a text: each line without its line feed and a carriage return
// before it. A last line without a line feed is a record too.
class RecordReader {
 public:
  explicit RecordReader(std::string_view text) : rest_(text) {}

  // Takes the next record; false when the text is used up.
  bool next(std::string_view& record);

  // Line number (from 1) of the record last taken.
  int lineNumber() const { return lineNumber_; }

 private:
  std::string_view rest_;
  int lineNumber_ = 0;
};

}  // namespace engine
