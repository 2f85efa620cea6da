#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text_files/csv_writer.h"

namespace palvane {

// palvane's CSV files follow the rules of text_files/csv_writer.h and end every line,
// comment lines included, with CR LF (as in RFC 4180).
inline constexpr std::string_view kCsvLineEnd = csv::kCrLf;

inline std::string csvField(std::string_view text) { return csv::field(text); }

inline std::string csvLine(const std::vector<std::string>& fields) {
  return csv::record(fields, kCsvLineEnd);
}

// Throws std::domain_error for NaN or infinity.
inline std::string csvNumber(double value) { return csv::number(value); }

}  // namespace palvane
