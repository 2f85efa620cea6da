#include "palvane/physics/csv_text.h"

#include <cmath>
#include <stdexcept>

#include "palvane/state/number_text.h"

namespace palvane {

std::string csvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string csvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t index = 0; index < fields.size(); ++index) {
    if (index > 0) line += ',';
    line += csvField(fields[index]);
  }
  line += kCsvLineEnd;
  return line;
}

std::string csvNumber(double value) {
  if (!std::isfinite(value)) throw std::domain_error("not a finite number");
  // ShortestText formats with std::to_chars, which ignores the locale.
  return ShortestText(value);
}

}  // namespace palvane
