#include "sweep/value_list.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace sweep {

namespace {

struct DecimalNumber {
  double value = 0;
  int decimals = 0;  // digits after the point, less a positive exponent: 2.5e1 has 0
};

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

DecimalNumber parseNumber(std::string_view text) {
  DecimalNumber number;
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;  // from_chars takes no plus sign
  const auto [end, error] = std::from_chars(first, last, number.value);
  if (text.empty() || error != std::errc() || end != last || !std::isfinite(number.value)) {
    throw ValueListError(quoted(text) + " is not a number");
  }
  const std::size_t point = text.find('.');
  const std::size_t exponent = text.find_first_of("eE");
  if (point != std::string_view::npos) {
    const std::size_t fractionEnd = exponent == std::string_view::npos ? text.size() : exponent;
    number.decimals = static_cast<int>(fractionEnd - point - 1);
  }
  if (exponent != std::string_view::npos) {
    std::string_view powerText = text.substr(exponent + 1);
    if (!powerText.empty() && powerText.front() == '+') powerText.remove_prefix(1);
    // A finite double needs no exponent beyond a few hundred; a longer one (its mantissa
    // zero) is clamped so that the count of decimals cannot overflow.
    long long power = 0;
    const auto read = std::from_chars(powerText.data(), powerText.data() + powerText.size(), power);
    if (read.ec == std::errc::result_out_of_range) power = powerText.front() == '-' ? -1000 : 1000;
    power = std::clamp(power, -1000LL, 1000LL);
    number.decimals = static_cast<int>(std::max(0LL, number.decimals - power));
  }
  return number;
}

// start + i * step, rounded to the given number of decimals: the quotient of two exact
// integers is the double nearest to the decimal value, so no error accumulates.
double rangeValue(double start, double step, std::size_t i, int decimals) {
  const double exact = start + static_cast<double>(i) * step;
  if (decimals > 15) return exact;
  const double scale = std::pow(10.0, decimals);
  // Beyond 2^53 every double is already an integer; scaling it could only overflow.
  if (std::abs(exact) * scale >= 0x1p53) return exact;
  return std::round(exact * scale) / scale;
}

void appendRange(std::string_view item, std::vector<double>& values) {
  const std::size_t firstColon = item.find(':');
  const std::size_t secondColon = item.find(':', firstColon + 1);
  if (secondColon == std::string_view::npos || item.find(':', secondColon + 1) != item.npos) {
    throw ValueListError(quoted(item) + " is not a range start:stop:step");
  }
  const DecimalNumber start = parseNumber(item.substr(0, firstColon));
  const DecimalNumber stop = parseNumber(item.substr(firstColon + 1, secondColon - firstColon - 1));
  const DecimalNumber step = parseNumber(item.substr(secondColon + 1));
  if (step.value <= 0) throw ValueListError("range " + quoted(item) + ": step must be above 0");
  if (stop.value < start.value) {
    throw ValueListError("range " + quoted(item) + ": stop is below start");
  }
  // A relative tolerance keeps the stop value when rounding leaves the quotient a hair short.
  const double steps = std::floor((stop.value - start.value) / step.value * (1 + 1e-12) + 1e-9);
  if (steps + 1 > static_cast<double>(kMaxListValues - values.size())) {
    throw ValueListError("range " + quoted(item) + " gives more than " +
                         std::to_string(kMaxListValues) + " values");
  }
  if (!std::isfinite(steps)) {
    throw ValueListError("range " + quoted(item) + " spans more than a number can hold");
  }
  const int decimals = std::max(start.decimals, step.decimals);
  for (std::size_t i = 0; i <= static_cast<std::size_t>(steps); ++i) {
    const double value = rangeValue(start.value, step.value, i, decimals);
    if (!std::isfinite(value)) {
      throw ValueListError("range " + quoted(item) + " gives values too large for a number");
    }
    values.push_back(value);
  }
}

// Whether an item is a whole number written with a leading zero ("05"): in "0,05" the
// comma separates the values 0 and 5, where a form would read 0.05.
bool hasLeadingZero(std::string_view item) {
  if (!item.empty() && (item.front() == '+' || item.front() == '-')) item.remove_prefix(1);
  return item.size() > 1 && item.front() == '0' &&
         item.find_first_not_of("0123456789") == std::string_view::npos;
}

// Says why "05" is refused; after a whole number ("0,05") it suggests the decimal meant.
std::string leadingZeroMessage(std::string_view before, std::string_view item) {
  const std::string refused = quoted(item) + " has a leading zero";
  const std::string rewrite = "write it without the zero, or with a full stop for a decimal";
  if (before.empty()) return refused + "; " + rewrite;
  before.remove_suffix(1);  // the comma
  const std::string_view previous = before.substr(before.rfind(',') + 1);
  if (previous.empty() || previous.find_first_not_of("+-0123456789") != std::string_view::npos) {
    return refused + ": the comma separates values; " + rewrite;
  }
  return refused + ": the comma separates values, so " +
         quoted(std::string(previous) + "," + std::string(item)) + " is two values; write " +
         std::string(previous) + "." + std::string(item) + " for one";
}

}  // namespace

std::vector<double> parseValueList(std::string_view text) {
  std::vector<double> values;
  std::size_t begin = 0;
  while (true) {
    const std::size_t comma = text.find(',', begin);
    const std::string_view item =
        text.substr(begin, comma == std::string_view::npos ? text.npos : comma - begin);
    if (item.find(':') != std::string_view::npos) {
      appendRange(item, values);
    } else if (hasLeadingZero(item)) {
      throw ValueListError(leadingZeroMessage(text.substr(0, begin), item));
    } else {
      if (values.size() >= kMaxListValues) {
        throw ValueListError("more than " + std::to_string(kMaxListValues) + " values");
      }
      values.push_back(parseNumber(item).value);
    }
    if (comma == std::string_view::npos) break;
    begin = comma + 1;
  }
  return values;
}

}  // namespace sweep
