#include "text_files/number_text.h"

#include <charconv>

namespace palvane {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view withoutLeadingBlanks(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && isBlank(text[start])) ++start;
  return text.substr(start);
}

std::string_view withoutTrailingBlanks(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && isBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

// The text with each comma that has a digit on both sides replaced by a point.
std::string withDecimalPoints(std::string_view text) {
  std::string result(text);
  for (std::size_t i = 1; i + 1 < result.size(); ++i) {
    if (result[i] == ',' && isDigit(result[i - 1]) && isDigit(result[i + 1])) result[i] = '.';
  }
  return result;
}

std::size_t countDigits(std::string_view text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && isDigit(text[end])) ++end;
  return end - from;
}

}  // namespace

namespace detail {

std::size_t numberPrefixLength(std::string_view text) {
  std::size_t position = 0;
  if (position < text.size() && (text[position] == '+' || text[position] == '-')) ++position;
  const std::size_t integerDigits = countDigits(text, position);
  position += integerDigits;
  std::size_t fractionDigits = 0;
  if (position < text.size() && text[position] == '.') {
    fractionDigits = countDigits(text, position + 1);
    if (integerDigits > 0 || fractionDigits > 0) position += 1 + fractionDigits;
  }
  if (integerDigits == 0 && fractionDigits == 0) return 0;
  // The exponent counts only when digits follow it: "2E" is the number 2 and a letter.
  if (position < text.size() && (text[position] == 'E' || text[position] == 'e')) {
    std::size_t exponentStart = position + 1;
    if (exponentStart < text.size() && (text[exponentStart] == '+' || text[exponentStart] == '-')) {
      ++exponentStart;
    }
    const std::size_t exponentDigits = countDigits(text, exponentStart);
    if (exponentDigits > 0) position = exponentStart + exponentDigits;
  }
  return position;
}

std::optional<double> parseNumber(std::string_view numberText) {
  // from_chars is locale-independent but takes no plus sign.
  if (!numberText.empty() && numberText.front() == '+') numberText.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(numberText.data(), numberText.data() + numberText.size(), value);
  if (error != std::errc() || end != numberText.data() + numberText.size()) return std::nullopt;
  return value;
}

}  // namespace detail

double LeadingNumber(std::string_view text) {
  text = withoutLeadingBlanks(text);
  const std::size_t length = detail::numberPrefixLength(text);
  if (length == 0) return 0.0;
  return detail::parseNumber(text.substr(0, length)).value_or(0.0);
}

double SettingNumber(std::string_view text) { return LeadingNumber(withDecimalPoints(text)); }

bool IsSettingNumber(std::string_view text, std::initializer_list<std::string_view> units) {
  const std::string decimal = withDecimalPoints(text);
  const std::string_view number = withoutLeadingBlanks(decimal);
  const std::size_t length = detail::numberPrefixLength(number);
  if (length == 0 || !detail::parseNumber(number.substr(0, length))) return false;
  const std::string_view rest = withoutTrailingBlanks(withoutLeadingBlanks(number.substr(length)));
  if (rest.empty()) return true;
  for (const std::string_view unit : units) {
    if (rest == unit) return true;
  }
  return false;
}

std::string ShortestText(double value) {
  if (value == 0.0) return "0";  // also for -0
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

}  // namespace palvane
