#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "text_files/number_text.h"

namespace palvane {

namespace {

// Significant digits taken from a double before rounding to the pattern: enough for every
// double that was typed or printed with up to 15 digits to round as its decimal text
// suggests (2.675 to two decimals gives 2.68, not the 2.67 of its binary value).
constexpr int kSignificantDigits = 15;

// A non-negative decimal number: digits with the point after the first pointPosition of
// them (pointPosition may be negative or exceed the digit count).
struct DecimalDigits {
  std::string digits;
  int pointPosition = 0;
};

DecimalDigits toDecimalDigits(double magnitude) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view text(buffer, result.ptr - buffer);  // d.ddddde+XX
  const std::size_t exponentMark = text.find('e');
  DecimalDigits decimal;
  for (char c : text.substr(0, exponentMark)) {
    if (c != '.') decimal.digits += c;
  }
  const std::string_view exponentText = text.substr(exponentMark + 1);
  decimal.pointPosition = static_cast<int>(LeadingNumber(exponentText)) + 1;
  if (magnitude == 0.0) decimal.pointPosition = 1;
  return decimal;
}

// Keeps the first `kept` digits, rounding half away from zero on the next one. A carry out
// of the first digit adds a leading 1 and moves the point one place to the right.
void roundToDigits(DecimalDigits& decimal, int kept) {
  if (kept < 0) {  // the value lies below half a unit of the last kept place
    decimal.digits.clear();
    return;
  }
  const auto keptCount = static_cast<std::size_t>(kept);
  if (decimal.digits.size() < keptCount + 1) decimal.digits.resize(keptCount + 1, '0');
  const bool roundUp = decimal.digits[keptCount] >= '5';
  decimal.digits.resize(keptCount);
  if (!roundUp) return;
  for (std::size_t index = keptCount; index-- > 0;) {
    if (decimal.digits[index] != '9') {
      ++decimal.digits[index];
      return;
    }
    decimal.digits[index] = '0';
  }
  decimal.digits.insert(decimal.digits.begin(), '1');
  ++decimal.pointPosition;
}

struct ParsedPattern {
  std::string_view integerPlaceholders;  // the 0 and # before the point
  int fractionDigits = 0;
  bool hasPoint = false;
  bool hasExponent = false;
  int exponentDigits = 0;
};

ParsedPattern parsePattern(std::string_view pattern) {
  ParsedPattern parsed;
  const std::size_t exponentMark = pattern.find_first_of("Ee");
  if (exponentMark != std::string_view::npos) {
    parsed.hasExponent = true;
    for (char c : pattern.substr(exponentMark + 1)) {
      if (c == '0' || c == '#') ++parsed.exponentDigits;
    }
    pattern = pattern.substr(0, exponentMark);
  }
  const std::size_t point = pattern.find('.');
  parsed.integerPlaceholders = pattern.substr(0, point);
  if (point != std::string_view::npos) {
    parsed.hasPoint = true;
    parsed.fractionDigits = static_cast<int>(pattern.size() - point - 1);
  }
  return parsed;
}

// The integer digits right-aligned under the placeholders; each placeholder left without
// a digit gives a 0 when it is "0" and nothing when it is "#".
std::string fillIntegerPart(std::string_view integerDigits, std::string_view placeholders) {
  std::string filled;
  if (placeholders.size() > integerDigits.size()) {
    for (char c : placeholders.substr(0, placeholders.size() - integerDigits.size())) {
      if (c == '0') filled += '0';
    }
  }
  return filled += integerDigits;
}

std::string formatFixed(double magnitude, const ParsedPattern& pattern) {
  DecimalDigits decimal = toDecimalDigits(magnitude);
  roundToDigits(decimal, decimal.pointPosition + pattern.fractionDigits);
  // Spread the rounded digits over an integer and a fraction part.
  std::string digits = decimal.digits;
  int pointPosition = decimal.pointPosition;
  if (pointPosition < 0) {
    digits.insert(0, static_cast<std::size_t>(-pointPosition), '0');
    pointPosition = 0;
  }
  const auto integerCount = static_cast<std::size_t>(pointPosition);
  if (digits.size() < integerCount + pattern.fractionDigits) {
    digits.resize(integerCount + pattern.fractionDigits, '0');
  }
  std::string_view integerDigits = std::string_view(digits).substr(0, integerCount);
  // An integer part of zero has no significant digits: "#" placeholders leave it out.
  while (!integerDigits.empty() && integerDigits.front() == '0') integerDigits.remove_prefix(1);

  std::string text = fillIntegerPart(integerDigits, pattern.integerPlaceholders);
  if (pattern.hasPoint) text += '.';
  text += digits.substr(integerCount, static_cast<std::size_t>(pattern.fractionDigits));
  return text;
}

std::string formatExponent(double magnitude, const ParsedPattern& pattern) {
  DecimalDigits decimal = toDecimalDigits(magnitude);
  roundToDigits(decimal, 1 + pattern.fractionDigits);
  if (decimal.digits.size() > static_cast<std::size_t>(1 + pattern.fractionDigits)) {
    decimal.digits.pop_back();  // 9.99995 became 10.0000: one digit fewer, exponent one up
  }
  const int exponent = magnitude == 0.0 ? 0 : decimal.pointPosition - 1;
  std::string text(1, decimal.digits[0]);
  if (pattern.hasPoint) text += '.';
  text += decimal.digits.substr(1);
  std::string exponentText = std::to_string(exponent < 0 ? -exponent : exponent);
  if (exponentText.size() < static_cast<std::size_t>(pattern.exponentDigits)) {
    exponentText.insert(0, pattern.exponentDigits - exponentText.size(), '0');
  }
  return text + 'E' + (exponent < 0 ? '-' : '+') + exponentText;
}

}  // namespace

std::string PatternFormat(double value, std::string_view pattern) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  const ParsedPattern parsed = parsePattern(pattern);
  const std::string text = parsed.hasExponent ? formatExponent(std::fabs(value), parsed)
                                              : formatFixed(std::fabs(value), parsed);
  // Every negative value is written with a minus, also one that rounds to zero.
  return value < 0 ? "-" + text : text;
}

}  // namespace palvane
