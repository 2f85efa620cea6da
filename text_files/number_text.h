#pragma once

#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace palvane {

// The value written by a display pattern of the characters 0 # . E +: "0" a digit always
// written, "#" a digit written only when significant, "." the point (always a full stop),
// "E+00" an exponent of at least as many digits as zeros. Integer digits are never cut;
// rounding is half away from zero on the value's 15-digit decimal form.
std::string PatternFormat(double value, std::string_view pattern);

// The number at the start of a text (leading blanks skipped): sign, digits, point, digits,
// exponent. 0 when the text does not start with a number or the number exceeds a double.
double LeadingNumber(std::string_view text);

// The number a setting's text holds: LeadingNumber of the text in which a comma with a digit
// on each side is a decimal point ("0,8" is 0.8); 0 when the text does not start with one.
double SettingNumber(std::string_view text);

// Whether a setting's text is a number and nothing else: SettingNumber finds a number and
// only blanks, or blanks and one of the units, follow it ("30kV", "4 deg").
bool IsSettingNumber(std::string_view text, std::initializer_list<std::string_view> units);

// Up to 15 significant digits, without trailing zeros or a trailing point: 30, 0.8, -2.5.
std::string ShortestText(double value);

// Reads a text file as free-format number fields. A field ends at a comma, a run of blanks
// or a line end; blanks next to a comma or a line end belong to the same separator.
class FieldReader {
 public:
  // Reads the whole file; throws FileError naming it when it cannot be opened.
  explicit FieldReader(const std::filesystem::path& file);
  // Reads a file's text held in memory; `fileName` names it in the messages.
  FieldReader(std::string fileName, std::string text);

  // The next field as a number (an empty field between two commas is 0). Throws FileError
  // naming the file at its end, and naming the line and field for a field that is not a
  // number or lies outside the range of a double.
  double next();

 private:
  void skipBlanks();
  void skipBlanksAndLineEnds();

  std::string fileName_;
  std::string text_;
  std::size_t position_ = 0;
  int line_ = 1;
  int fieldsRead_ = 0;
};

namespace detail {
// Length of the longest number at the start of text (0 when there is none).
std::size_t numberPrefixLength(std::string_view text);
// The whole text read as a number; nullopt when it does not fit a double.
std::optional<double> parseNumber(std::string_view numberText);
}  // namespace detail

}  // namespace palvane
