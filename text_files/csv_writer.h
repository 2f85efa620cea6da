#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma-separated values as spreadsheets read them, the one set of rules for every table
// palvane and sweep write:
// - fields are joined by commas; UTF-8 text passes through unchanged;
// - a field holding a comma, a double quote, a CR or an LF, or starting or ending with a
//   blank, is put in double quotes with each of its double quotes doubled;
// - a number has up to 15 significant digits, no trailing zeros and a full stop as decimal
//   point whatever the locale; NaN and infinity are refused, since a data file must never
//   hold them (a value that is missing is written as an empty field by the caller);
// - each record ends with the line end its file uses: CR LF (kCrLf) or LF (kLf).
namespace csv {

inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::string_view kLf = "\n";

// The field as it must stand in a record: quoted as above when needed, otherwise unchanged.
std::string field(std::string_view text);

// "30", "0.6" (for 0.2 * 3), "-2.5", "1.5e-07"; "0" for -0. Throws std::domain_error for NaN
// or infinity.
std::string number(double value);

// One record: the fields quoted as needed, joined by commas, ended by lineEnd.
std::string record(const std::vector<std::string>& fields, std::string_view lineEnd);

}  // namespace csv
