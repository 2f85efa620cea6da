#include "text_files/csv_writer.h"

#include <cmath>
#include <stdexcept>

#include "text_files/number_text.h"

namespace csv {

namespace {

bool needsQuotes(std::string_view text) {
  if (text.empty()) return false;
  if (text.front() == ' ' || text.back() == ' ') return true;
  return text.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

std::string field(std::string_view text) {
  if (!needsQuotes(text)) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string number(double value) {
  if (!std::isfinite(value)) throw std::domain_error("not a finite number");
  // ShortestText formats with std::to_chars, which ignores the locale.
  return palvane::ShortestText(value);
}

std::string record(const std::vector<std::string>& fields, std::string_view lineEnd) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += field(fields[i]);
  }
  line += lineEnd;
  return line;
}

}  // namespace csv
