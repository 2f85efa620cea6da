#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "palvane/state/file_error.h"
#include "palvane/state/number_text.h"

namespace palvane {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool endsField(char c) { return c == ',' || isBlank(c) || isLineEnd(c); }

}  // namespace

FieldReader::FieldReader(const std::filesystem::path& file) : fileName_(file.string()) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    throw FileError(fileName_ + ": cannot be opened (" + std::generic_category().message(errno) +
                    ")");
  }
  std::ostringstream contents;
  contents << in.rdbuf();
  if (in.bad()) throw FileError(fileName_ + ": cannot be read");
  text_ = std::move(contents).str();
}

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
                     std::to_string(fieldsRead_) + ": \"" + std::string(field) + "\" " + what);
  };
  if (detail::numberPrefixLength(field) != field.size()) throw fault("is not a number");
  const auto value = detail::parseNumber(field);
  if (!value) throw fault("is out of range");
  return *value;
}

}  // namespace palvane
