#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace engine {

// Endings of the messages about a field that cannot be read. The readers of the files put
// the file, line and field in front: MUs3.dat, line 12, field 4: "ab" is not a number.
inline constexpr std::string_view kNotANumber = " is not a number";
inline constexpr std::string_view kBeyondSinglePrecision = " is beyond the single-precision range";

// A number field that cannot be read; what() says what is wrong with it.
class FieldError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Output fields. Each value is taken as its exact value rounded to 17 significant digits,
// then rounded half away from zero to the digits the field shows, and right-justified.
// A text longer than the field, or a value that is not finite, fills the field with
// asterisks. A negative value gets a minus sign.

// Iw: the decimal digits of the integer.
std::string renderInteger(int value, int width);

// Fw.d: integer digits, a point and exactly `decimals` fraction digits; a magnitude below 1
// has no integer digits at all (.500, not 0.500).
std::string renderFixed(float value, int width, int decimals);

// Ew.d: a point, `digits` significant digits, E, the exponent's sign and two digits, for
// the value 0.(digits) * 10^exponent (.12345E+02); zero is .0000E+00.
std::string renderExponent(float value, int width, int digits);

// Input fields.

// Reads one fixed-width real field of an input record starting at `position` (advanced
// past the field, or past a terminating comma). `impliedDecimals` is d of Fw.d / Ew.d.
// At the end of the record the field is empty: it reads as 0 and `position` stays.
// Blanks and tabs in the field are ignored; a field of nothing else reads as 0.
// Throws FieldError on a malformed field or a magnitude beyond the float range.
float readFixedWidthReal(std::string_view record, std::size_t& position, int width,
                         int impliedDecimals);

// Converts the text of one number (without blanks): an optional sign, digits with at most
// one decimal point, and an optional exponent (E or D in either case with an optionally
// signed integer, or a sign and an integer: 1.5+3 is 1500). Without a decimal point the
// last `impliedDecimals` digits are the fraction. A magnitude too small for a float reads
// as 0. Throws FieldError on any other text or a magnitude beyond the float range.
float parseReal(std::string_view text, int impliedDecimals);

namespace detail {
// The exponent form by the general method alone (the 17 digits of the exact value);
// renderExponent gives the same text by a faster exact method where that applies.
std::string renderExponentGeneral(float value, int width, int digits);
}  // namespace detail

}  // namespace engine
