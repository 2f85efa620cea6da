#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "engine/numeric_field.h"

// Output fields: Iw, Fw.d and Ew.d.

namespace engine {

namespace {

constexpr int kSignificantDigits = 17;

// A magnitude as 0.(digits) * 10^pointExponent, its 17 digits rounded from the exact value.
struct DecimalDigits {
  std::array<char, kSignificantDigits> digits{};
  int pointExponent = 0;
};

DecimalDigits decimalDigits(float magnitude) {
  // The exact value of the float, rounded to 17 digits: "d.dddddddddddddddde+XX".
  std::array<char, 40> text{};
  const auto end =
      std::to_chars(text.data(), text.data() + text.size(), static_cast<double>(magnitude),
                    std::chars_format::scientific, kSignificantDigits - 1)
          .ptr;
  DecimalDigits decimal;
  decimal.digits[0] = text[0];
  std::copy_n(text.data() + 2, kSignificantDigits - 1, decimal.digits.data() + 1);
  const char* exponent = text.data() + kSignificantDigits + 2;  // the sign after 'e'
  int exponentValue = 0;
  std::from_chars(exponent + 1, end, exponentValue);
  decimal.pointExponent = (*exponent == '-' ? -exponentValue : exponentValue) + 1;
  return decimal;
}

// The first `count` of the 17 digits as a digit string, rounded half away from zero on
// the digits dropped. A carry through a string of 9s gives one digit more ("999" + "6"
// gives "1000"). With count 0 the result is "1" or "0" by the first digit alone; with a
// negative count, "0".
std::string roundedDigits(const DecimalDigits& decimal, int count) {
  if (count < 0) return "0";
  const auto kept = static_cast<std::size_t>(std::min(count, kSignificantDigits));
  std::string digits(decimal.digits.data(), kept);
  digits.append(static_cast<std::size_t>(count) - kept, '0');
  if (kept == decimal.digits.size() || decimal.digits[kept] < '5') {
    return digits.empty() ? "0" : digits;
  }
  for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
    if (*digit != '9') {
      ++*digit;
      return digits;
    }
    *digit = '0';
  }
  return "1" + digits;
}

// The text right-justified in a field of `width` characters, or asterisks when it does
// not fit.
std::string justify(std::string_view text, int width) {
  const auto fieldWidth = static_cast<std::size_t>(std::max(width, 0));
  if (text.size() > fieldWidth) return std::string(fieldWidth, '*');
  std::string field(fieldWidth, ' ');
  std::copy(text.begin(), text.end(), field.end() - static_cast<std::ptrdiff_t>(text.size()));
  return field;
}

std::string asterisks(int width) {
  return std::string(static_cast<std::size_t>(std::max(width, 0)), '*');
}

// By way of the 17 digits, for every finite magnitude: the significant digits, and the
// exponent of |value| = 0.(digits) * 10^pointExponent.
std::string exponentDigitsGeneral(float magnitude, int digits, int& pointExponent) {
  // Zero has no exponent of its own; it is written with E+00.
  if (magnitude == 0) {
    pointExponent = 0;
    return std::string(static_cast<std::size_t>(digits), '0');
  }
  const DecimalDigits decimal = decimalDigits(magnitude);
  std::string significant = roundedDigits(decimal, digits);
  pointExponent = decimal.pointExponent;
  if (significant.size() > static_cast<std::size_t>(digits)) {  // .99996 became 1.0000
    significant.pop_back();
    ++pointExponent;
  }
  return significant;
}

constexpr std::array<std::uint64_t, 13> kPowersOfTen = {
    1,        10,        100,        1000,        10000,        100000,       1000000,
    10000000, 100000000, 1000000000, 10000000000, 100000000000, 1000000000000};
constexpr int kMaxExactDigits = 5;
constexpr int kMaxExactScale = 12;  // mantissa (< 2^24) * 10^12 (< 2^40) fits 64 bits
constexpr int kMaxExactShift = 40;

// |value| = significand * 10^(pointExponent - digits), the significand of `digits` digits.
struct ExactExponent {
  std::uint64_t significand = 0;
  int pointExponent = 0;
};

// The same digits by exact integer arithmetic, for the common magnitudes (about 1e-8 to
// 1e4) and at most 5 digits; nothing for the others. Writing the magnitude as
// mantissa / 2^shift with shift <= 40, the scaled magnitude mantissa * 10^scale / 2^shift
// splits into a whole part and a remainder that is a multiple of 2^-40. Such a remainder
// is never within half a unit of the 17th digit (at most 5e-13 of the last digit shown)
// of one half without being one half exactly, so rounding to 17 digits first changes no
// result, and the speed of integer arithmetic comes at no cost in exactness.
std::optional<ExactExponent> exponentDigitsExact(float magnitude, int digits) {
  if (digits > kMaxExactDigits) return std::nullopt;
  if (magnitude == 0) return ExactExponent{};
  // magnitude = mantissa * 2^(biasedExponent - 150) for a normal float.
  const auto bits = std::bit_cast<std::uint32_t>(magnitude);
  const auto biasedExponent = static_cast<int>(bits >> 23);
  if (biasedExponent == 0) return std::nullopt;  // subnormal: far below the exact range
  std::uint64_t mantissa = (bits & 0x7fffffu) | 0x800000u;
  int shift = 150 - biasedExponent;
  const int trailingZeros = std::min(std::countr_zero(mantissa), std::max(shift, 0));
  mantissa >>= trailingZeros;
  shift -= trailingZeros;
  if (shift < 0 || shift > kMaxExactShift) return std::nullopt;
  // A first guess of the decimal exponent, floor(binary exponent * log10(2)) + 1, is
  // corrected below until the whole part has exactly `digits` digits.
  int pointExponent = (((biasedExponent - 127) * 78913) >> 18) + 1;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int scale = digits - pointExponent;
    if (scale < 0 || scale > kMaxExactScale) return std::nullopt;
    const std::uint64_t scaled = mantissa * kPowersOfTen[static_cast<std::size_t>(scale)];
    const std::uint64_t whole = scaled >> shift;
    if (whole >= kPowersOfTen[static_cast<std::size_t>(digits)]) {
      ++pointExponent;
    } else if (whole < kPowersOfTen[static_cast<std::size_t>(digits - 1)]) {
      --pointExponent;
    } else {
      const std::uint64_t remainder = scaled - (whole << shift);
      std::uint64_t rounded = whole;
      if (shift > 0 && remainder >= (std::uint64_t{1} << (shift - 1))) ++rounded;
      if (rounded == kPowersOfTen[static_cast<std::size_t>(digits)]) {  // .99996 became 1.0000
        rounded /= 10;
        ++pointExponent;
      }
      return ExactExponent{rounded, pointExponent};
    }
  }
  return std::nullopt;
}

std::string composeExponent(bool negative, std::string_view significant, int pointExponent,
                            int width) {
  const std::size_t length = (negative ? 2 : 1) + significant.size() + 4;
  const auto fieldWidth = static_cast<std::size_t>(std::max(width, 0));
  if (length > fieldWidth) return std::string(fieldWidth, '*');
  std::string field(fieldWidth, ' ');
  auto text = field.end() - static_cast<std::ptrdiff_t>(length);
  if (negative) *text++ = '-';
  *text++ = '.';
  text = std::copy(significant.begin(), significant.end(), text);
  // A float's exponent lies within +-46, so two exponent digits always suffice.
  const int exponentMagnitude = std::abs(pointExponent);
  *text++ = 'E';
  *text++ = pointExponent < 0 ? '-' : '+';
  *text++ = static_cast<char>('0' + exponentMagnitude / 10);
  *text = static_cast<char>('0' + exponentMagnitude % 10);
  return field;
}

std::string renderExponentGeneral(float value, int width, int digits) {
  int pointExponent = 0;
  const std::string significant = exponentDigitsGeneral(std::fabs(value), digits, pointExponent);
  return composeExponent(value < 0, significant, pointExponent, width);
}

}  // namespace

std::string renderInteger(int value, int width) { return justify(std::to_string(value), width); }

std::string renderFixed(float value, int width, int decimals) {
  if (!std::isfinite(value)) return asterisks(width);
  const DecimalDigits decimal = decimalDigits(std::fabs(value));
  // The magnitude times 10^decimals, rounded to an integer, as digits.
  std::string scaled = roundedDigits(decimal, decimal.pointExponent + decimals);
  scaled.erase(0, std::min(scaled.find_first_not_of('0'), scaled.size()));
  const auto fraction = static_cast<std::size_t>(std::max(decimals, 0));
  if (scaled.size() < fraction) scaled.insert(0, fraction - scaled.size(), '0');
  std::string text = value < 0 ? "-" : "";
  text.append(scaled, 0, scaled.size() - fraction);
  text += '.';
  text.append(scaled, scaled.size() - fraction, fraction);
  return justify(text, width);
}

std::string renderExponent(float value, int width, int digits) {
  if (!std::isfinite(value) || digits < 1) return asterisks(width);
  const auto exact = exponentDigitsExact(std::fabs(value), digits);
  if (!exact) return renderExponentGeneral(value, width, digits);
  std::array<char, kMaxExactDigits> significant;
  std::uint64_t rest = exact->significand;
  for (int digit = digits - 1; digit >= 0; --digit) {
    significant[static_cast<std::size_t>(digit)] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  return composeExponent(value < 0, std::string_view(significant.data(), digits),
                         exact->pointExponent, width);
}

namespace detail {

std::string renderExponentGeneral(float value, int width, int digits) {
  if (!std::isfinite(value) || digits < 1) return asterisks(width);
  return engine::renderExponentGeneral(value, width, digits);
}

}  // namespace detail

}  // namespace engine
