#include "engine/input_text.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "engine/input_error.h"

namespace engine {

namespace {

[[noreturn]] void throwFileError(const std::filesystem::path& file, std::string_view problem,
                                 int errorNumber) {
  throw InputError(
      describeInputError(file.filename().string(), 0, 0,
                         std::string(problem) + " (" + std::strerror(errorNumber) + ")"));
}

}  // namespace

std::string readInputFile(const std::filesystem::path& file) {
  std::FILE* stream = std::fopen(file.string().c_str(), "rb");
  if (stream == nullptr) throwFileError(file, kCannotBeOpened, errno);
  std::string contents;
  std::array<char, 16384> buffer;
  std::size_t count = 0;
  while ((count = std::fread(buffer.data(), 1, buffer.size(), stream)) > 0) {
    contents.append(buffer.data(), count);
  }
  const int errorNumber = errno;
  const bool failed = std::ferror(stream) != 0;
  std::fclose(stream);
  if (failed) throwFileError(file, kCannotBeRead, errorNumber);
  return contents;
}

std::string describeShortfall(int found, int needed, std::string_view unit) {
  std::string text = std::to_string(found) + " " + std::string(unit);
  if (found != 1) text += 's';
  return text + ", " + std::to_string(needed) + " needed";
}

bool RecordReader::next(std::string_view& record) {
  if (rest_.empty()) return false;
  const std::size_t lineEnd = rest_.find('\n');
  record = rest_.substr(0, lineEnd);
  rest_ = lineEnd == std::string_view::npos ? std::string_view() : rest_.substr(lineEnd + 1);
  if (!record.empty() && record.back() == '\r') record.remove_suffix(1);
  ++lineNumber_;
  return true;
}

}  // namespace engine
