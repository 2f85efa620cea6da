#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace palvane {

// Line end of every CSV line, comment lines included (CR LF, as in RFC 4180).
inline constexpr std::string_view kCsvLineEnd = "\r\n";

// One field as CSV text: a field holding a comma, a double quote or a line end is put in
// double quotes, with each of its double quotes doubled; any other field stays as it is.
std::string csvField(std::string_view text);

// One CSV line: the fields, each quoted as needed, joined by commas, and the line end.
std::string csvLine(const std::vector<std::string>& fields);

// A number for a CSV field: up to 15 significant digits, a full stop as decimal point
// whatever the locale. Throws std::domain_error for NaN or infinity, which a data file
// must never hold.
std::string csvNumber(double value);

}  // namespace palvane
