#pragma once

// What the C++ library of the browser toolchain (Debian 12's emscripten) lacks of C++20 and
// C++17 and the model code uses: std::bit_cast and the floating-point std::to_chars and
// std::from_chars. The web build includes this header into every source file (-include),
// and only the web build: the desktop's library has all of them.
//
// The conversions give the same text as the desktop's: the C library under the browser
// build prints and reads decimal numbers exactly (printf's %e and %g are the correctly
// rounded decimal of the binary value, strtod the correctly rounded binary of the
// decimal), and the shortest form is the shortest decimal that reads back as the same
// float (or double), the nearer one of two such, written fixed unless scientific is shorter.

#include <version>

#if !defined(__cpp_lib_bit_cast)
#include <cstring>
#include <type_traits>

namespace std {
template <class To, class From>
requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> &&
         is_trivially_copyable_v<From>) constexpr To bit_cast(const From& from) noexcept {
  return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

#if !defined(__cpp_lib_to_chars)
namespace palvane_web_compat {

inline std::to_chars_result copyOut(char* first, char* last, const std::string& text) {
  if (static_cast<std::size_t>(last - first) < text.size())
    return {last, std::errc::value_too_large};
  std::memcpy(first, text.data(), text.size());
  return {first + text.size(), std::errc()};
}

// The exact decimal of `value` rounded to `digits` significant digits: the digit string
// and the decimal exponent of its first digit.
inline void roundedDigits(double value, int digits, std::string& out, int& exponent) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
  out.clear();
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') out += *p;
  }
  exponent = std::atoi(p + 1);
}

// Adds `step` (+1 or -1) to the last digit of a digit string; empty when it would change
// the number of digits.
inline std::string stepDigits(std::string digits, int step) {
  int k = static_cast<int>(digits.size()) - 1;
  while (k >= 0) {
    int d = digits[k] - '0' + step;
    if (d >= 0 && d <= 9) {
      digits[k] = static_cast<char>('0' + d);
      break;
    }
    digits[k] = step > 0 ? '0' : '9';
    --k;
  }
  if (k < 0 || digits[0] == '0') return {};
  return digits;
}

inline std::string scientificText(const std::string& digits, int exponent) {
  std::string text(1, digits[0]);
  if (digits.size() > 1) text += "." + digits.substr(1);
  char e[8];
  std::snprintf(e, sizeof e, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return text + e;
}

inline std::string fixedText(const std::string& digits, int exponent) {
  const int count = static_cast<int>(digits.size());
  if (exponent < 0)
    return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  if (exponent + 1 >= count)
    return digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
  return digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
         digits.substr(static_cast<std::size_t>(exponent + 1));
}

template <class Float>
bool readsBackAs(const std::string& digits, int exponent, Float value) {
  const std::string text =
      digits.substr(0, 1) + "." + digits.substr(1) + "e" + std::to_string(exponent);
  if constexpr (std::is_same_v<Float, float>) return std::strtof(text.c_str(), nullptr) == value;
  return std::strtod(text.c_str(), nullptr) == value;
}

// The shortest text that reads back as `value` (positive and finite).
template <class Float>
std::string shortestText(Float value) {
  constexpr int kMostDigits = std::is_same_v<Float, float> ? 9 : 17;
  for (int count = 1; count <= kMostDigits; ++count) {
    std::string digits;
    int exponent = 0;
    roundedDigits(value, count, digits, exponent);
    std::string chosen;
    if (readsBackAs(digits, exponent, value)) {
      chosen = digits;
    } else {
      // The nearest decimal of this length may miss where the float's neighbours are
      // unequally far (at a power of two); a farther one may still read back.
      for (int step : {1, -1}) {
        const std::string other = stepDigits(digits, step);
        if (!other.empty() && readsBackAs(other, exponent, value)) chosen = other;
      }
    }
    if (chosen.empty()) continue;
    while (chosen.size() > 1 && chosen.back() == '0') chosen.pop_back();
    const std::string fixed = fixedText(chosen, exponent);
    const std::string scientific = scientificText(chosen, exponent);
    return scientific.size() < fixed.size() ? scientific : fixed;
  }
  return {};
}

template <class Float>
std::string specialText(Float value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  return std::signbit(value) ? "-inf" : "inf";
}

template <class Float>
std::from_chars_result readFloat(const char* first, const char* last, Float& value) {
  // The model's texts are plain decimals; like from_chars, no blank, no plus sign, no hex.
  const std::string text(first, last);
  if (text.empty()) return {first, std::errc::invalid_argument};
  const char* start = text.c_str();
  const char* body = start + (text[0] == '-' ? 1 : 0);
  if (!(std::isdigit(static_cast<unsigned char>(*body)) || *body == '.' || *body == 'i' ||
        *body == 'I' || *body == 'n' || *body == 'N')) {
    return {first, std::errc::invalid_argument};
  }
  std::string plain = text;
  if (body[0] == '0' && (body[1] == 'x' || body[1] == 'X'))
    plain = text.substr(0, body - start + 1);
  char* end = nullptr;
  errno = 0;
  const Float read = sizeof(Float) == sizeof(float)
                         ? std::strtof(plain.c_str(), &end)
                         : static_cast<Float>(std::strtod(plain.c_str(), &end));
  if (end == plain.c_str()) return {first, std::errc::invalid_argument};
  const char* ptr = first + (end - plain.c_str());
  if (errno == ERANGE && (std::isinf(read) || read == 0))
    return {ptr, std::errc::result_out_of_range};
  value = read;
  return {ptr, std::errc()};
}

}  // namespace palvane_web_compat

namespace std {

inline to_chars_result to_chars(char* first, char* last, float value) {
  using namespace palvane_web_compat;
  if (!std::isfinite(value)) return copyOut(first, last, specialText(value));
  if (value == 0.0f) return copyOut(first, last, std::signbit(value) ? "-0" : "0");
  return copyOut(first, last, (value < 0 ? "-" : "") + shortestText(std::fabs(value)));
}

inline to_chars_result to_chars(char* first, char* last, double value) {
  using namespace palvane_web_compat;
  if (!std::isfinite(value)) return copyOut(first, last, specialText(value));
  if (value == 0.0) return copyOut(first, last, std::signbit(value) ? "-0" : "0");
  return copyOut(first, last, (value < 0 ? "-" : "") + shortestText(std::fabs(value)));
}

inline to_chars_result to_chars(char* first, char* last, double value, chars_format format,
                                int precision) {
  using namespace palvane_web_compat;
  if (!std::isfinite(value)) return copyOut(first, last, specialText(value));
  const char* pattern = format == chars_format::scientific ? "%.*e"
                        : format == chars_format::fixed    ? "%.*f"
                                                           : "%.*g";
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, pattern, precision, value);
  return copyOut(first, last, buffer);
}

inline from_chars_result from_chars(const char* first, const char* last, float& value,
                                    chars_format = chars_format::general) {
  return palvane_web_compat::readFloat(first, last, value);
}

inline from_chars_result from_chars(const char* first, const char* last, double& value,
                                    chars_format = chars_format::general) {
  return palvane_web_compat::readFloat(first, last, value);
}

}  // namespace std
#endif
