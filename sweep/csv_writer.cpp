#include "sweep/csv_writer.h"

#include <charconv>
#include <cmath>

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
  if (!std::isfinite(value)) return {};
  char buffer[64];
  // to_chars ignores the locale and gives the shortest text that reads back exactly.
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

std::string record(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += field(fields[i]);
  }
  return line + '\n';
}

}  // namespace csv
