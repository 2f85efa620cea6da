#include <algorithm>
#include <charconv>
#include <iterator>
#include <system_error>

#include "engine/numeric_field.h"

// Input fields: fixed-width reals and the numbers inside them.

namespace engine {

namespace {

// Exponents beyond this bound are held at it: every such value is far outside the float
// range either way, and the bound keeps the exponent arithmetic from overflowing.
constexpr long kExponentBound = 100000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSign(char c) { return c == '+' || c == '-'; }
bool isExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The text quoted for a message, with characters that cannot be shown replaced by '?'.
std::string quoteForMessage(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) quoted += (c >= ' ' && c <= '~') ? c : '?';
  return quoted + '"';
}

[[noreturn]] void throwNotANumber(std::string_view text) {
  throw FieldError(quoteForMessage(text) + std::string(kNotANumber));
}

[[noreturn]] void throwBeyondRange(std::string_view text) {
  throw FieldError(std::string(text) + std::string(kBeyondSinglePrecision));
}

// Reads the exponent that follows the mantissa at `index`: a letter with an optionally
// signed integer, or a sign with an integer. Returns 0 when the text ends at `index`.
long parseExponent(std::string_view text, std::size_t index) {
  if (index == text.size()) return 0;
  if (isExponentLetter(text[index])) {
    ++index;
  } else if (!isSign(text[index])) {
    throwNotANumber(text);
  }
  const bool negative = index < text.size() && text[index] == '-';
  if (index < text.size() && isSign(text[index])) ++index;
  if (index == text.size()) throwNotANumber(text);
  long exponent = 0;
  for (; index < text.size(); ++index) {
    if (!isDigit(text[index])) throwNotANumber(text);
    exponent = std::min(exponent * 10 + (text[index] - '0'), kExponentBound);
  }
  return negative ? -exponent : exponent;
}

}  // namespace

float readFixedWidthReal(std::string_view record, std::size_t& position, int width,
                         int impliedDecimals) {
  if (position >= record.size()) return 0.0f;
  std::string_view field = record.substr(position, static_cast<std::size_t>(std::max(width, 0)));
  const std::size_t comma = field.find(',');
  if (comma != std::string_view::npos) {
    field = field.substr(0, comma);
    position += comma + 1;
  } else {
    position += field.size();
  }
  while (!field.empty() && isBlank(field.front())) field.remove_prefix(1);
  while (!field.empty() && isBlank(field.back())) field.remove_suffix(1);
  if (field.empty()) return 0.0f;
  if (std::none_of(field.begin(), field.end(), isBlank)) return parseReal(field, impliedDecimals);
  std::string number;  // blanks inside the number are dropped
  std::remove_copy_if(field.begin(), field.end(), std::back_inserter(number), isBlank);
  return parseReal(number, impliedDecimals);
}

float parseReal(std::string_view text, int impliedDecimals) {
  std::size_t index = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && isSign(text[0])) ++index;

  const std::size_t mantissaStart = index;
  long digitCount = 0;
  long significantDigits = 0;  // from the first digit that is not 0
  long fractionDigits = -1;    // -1 while no point is seen
  for (; index < text.size(); ++index) {
    const char c = text[index];
    if (c == '.' && fractionDigits < 0) {
      fractionDigits = 0;
    } else if (isDigit(c)) {
      ++digitCount;
      if (significantDigits > 0 || c != '0') ++significantDigits;
      if (fractionDigits >= 0) ++fractionDigits;
    } else {
      break;
    }
  }
  if (digitCount == 0) throwNotANumber(text);
  const std::size_t mantissaEnd = index;
  const long writtenExponent = parseExponent(text, index);

  // The value is (the mantissa's digits) * 10^exponent, converted with one rounding.
  const bool impliedFraction = fractionDigits < 0;
  const long exponent = writtenExponent - (impliedFraction ? impliedDecimals : fractionDigits);
  float magnitude = 0.0f;
  std::errc status{};
  const auto convert = [&magnitude, &status, text](std::string_view number) {
    const auto result = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    status = result.ec;
    // The conversion must take all of the text checked above.
    if (status == std::errc() && result.ptr != number.data() + number.size()) {
      throwNotANumber(text);
    }
  };
  const bool plainForm =
      mantissaEnd == text.size() || text[mantissaEnd] == 'E' || text[mantissaEnd] == 'e';
  if (plainForm && (!impliedFraction || impliedDecimals == 0)) {
    convert(text.substr(mantissaStart));  // a form the standard conversion reads as written
  } else {
    std::string number;
    number.reserve(static_cast<std::size_t>(digitCount) + 24);
    std::copy_if(text.begin() + static_cast<std::ptrdiff_t>(mantissaStart),
                 text.begin() + static_cast<std::ptrdiff_t>(mantissaEnd),
                 std::back_inserter(number), isDigit);
    number += 'e';
    number += std::to_string(exponent);
    convert(number);
  }
  if (status == std::errc::result_out_of_range) {
    // Out of range is either too large or too small for a float; only the first is an
    // error. The value lies in [10^(significant + exponent - 1), 10^(significant + exponent)).
    if (significantDigits > 0 && significantDigits + exponent > 0) throwBeyondRange(text);
    magnitude = 0.0f;
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace engine
