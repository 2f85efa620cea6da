#include <string>
#include <string_view>
#include <utility>

#include "text_files/file_error.h"
#include "text_files/input_file.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool endsField(char c) { return c == ',' || isBlank(c) || isLineEnd(c); }

// The number of the field that starts at start, counted from the start of its line with
// the same separators as FieldReader::next.
int fieldNumberInLine(std::string_view text, std::size_t start) {
  const std::size_t newline = start == 0 ? std::string_view::npos : text.rfind('\n', start - 1);
  std::size_t position = newline == std::string_view::npos ? 0 : newline + 1;
  int number = 1;
  while (true) {
    while (position < start && (isBlank(text[position]) || text[position] == '\r')) ++position;
    if (position >= start) return number;
    ++number;
    while (position < start && !endsField(text[position])) ++position;
    while (position < start && isBlank(text[position])) ++position;
    if (position < start && text[position] == ',') ++position;
  }
}

}  // namespace

FieldReader::FieldReader(const std::filesystem::path& file)
    : fileName_(file.string()), text_(readInputFile(file)) {}

FieldReader::FieldReader(std::string fileName, std::string text)
    : fileName_(std::move(fileName)), text_(std::move(text)) {}

void FieldReader::skipBlanks() {
  while (position_ < text_.size() && isBlank(text_[position_])) ++position_;
}

void FieldReader::skipBlanksAndLineEnds() {
  while (position_ < text_.size() && (isBlank(text_[position_]) || isLineEnd(text_[position_]))) {
    if (text_[position_] == '\n') ++line_;
    ++position_;
  }
}

double FieldReader::next() {
  skipBlanksAndLineEnds();
  if (position_ == text_.size()) {
    throw FileError(fileName_ + ": the file ends after " + std::to_string(fieldsRead_) +
                    " values, more are needed");
  }
  const std::size_t start = position_;
  while (position_ < text_.size() && !endsField(text_[position_])) ++position_;
  const std::string_view field = std::string_view(text_).substr(start, position_ - start);
  ++fieldsRead_;
  // Blanks and one comma after the field form a single separator.
  skipBlanks();
  if (position_ < text_.size() && text_[position_] == ',') ++position_;

  if (field.empty()) return 0.0;
  const auto fault = [&](const std::string& what) {
    return FileError(fileName_ + ", line " + std::to_string(line_) + ", field " +
                     std::to_string(fieldNumberInLine(text_, start)) + ": \"" + std::string(field) +
                     "\" " + what);
  };
  if (detail::numberPrefixLength(field) != field.size()) throw fault("is not a number");
  const auto value = detail::parseNumber(field);
  if (!value) throw fault("is out of range");
  return *value;
}

}  // namespace palvane
