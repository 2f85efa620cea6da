#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace sweep {

// A list of values given on the command line is longer than this: almost certainly a typing
// error (a step of 0.001 for 0.1), and it would start hours of engine runs.
inline constexpr std::size_t kMaxListValues = 10000;

// A value list that cannot be read; the message says which item and what is wrong.
class ValueListError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Reads "25", "0.03,0" or "25:35:1" (start:stop:step, stop included when the steps reach it)
// and lists mixed by commas ("20:24:2,35"). Range values are computed as start + i * step and
// rounded to the decimals written in start and step, so that 20:21:0.1 ends exactly in 21.
// A whole number with a leading zero ("05") is refused: "0,05" would otherwise be 0 and 5
// where the forms read 0.05.
std::vector<double> parseValueList(std::string_view text);

}  // namespace sweep
