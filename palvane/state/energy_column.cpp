#include "palvane/state/energy_column.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "text_files/file_error.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

constexpr double kBinWidth = 0.2;  // keV

// An exponent beyond any a table prints: such a field is refused as not a number.
constexpr double kLargestExponent = 999;

// Half a unit of the last digit of a number printed as text, e.g. 0.0005 for ".200E+00";
// nullopt when its exponent is out of all proportion (".112E+0299999999...").
std::optional<double> halfUnitOfLastDigit(std::string_view number) {
  const std::size_t exponentAt = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, exponentAt);
  const std::size_t point = mantissa.find('.');
  const int decimals =
      point == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
  double exponent = 0;
  if (exponentAt != std::string_view::npos) {
    exponent = detail::parseNumber(number.substr(exponentAt + 1)).value_or(0);
    if (std::abs(exponent) > kLargestExponent) return std::nullopt;
  }
  return 0.5 * std::pow(10.0, exponent - decimals);
}

}  // namespace

void checkEnergyColumn(const std::filesystem::path& file, std::string_view text, int lastRow,
                       int headingLines) {
  std::size_t lineStart = 0;
  for (int line = 1; line <= lastRow; ++line) {
    // A file cut short, or one with other line ends than line feeds, runs out of lines.
    if (lineStart >= text.size()) {
      throw FileError(file.string() + ", line " + std::to_string(line + headingLines) +
                      ": missing (" + std::to_string(line - 1) +
                      (line == 2 ? " line, " : " lines, ") + std::to_string(lastRow) + " needed)");
    }
    const std::size_t lineEnd = std::min(text.find('\n', lineStart), text.size());
    std::string_view row = text.substr(lineStart, lineEnd - lineStart);
    const std::size_t first = row.find_first_not_of(" \t");
    row.remove_prefix(first == std::string_view::npos ? row.size() : first);
    const std::string_view field = row.substr(0, detail::numberPrefixLength(row));
    const double expected = kBinWidth * line;
    const auto value = field.empty() ? std::nullopt : detail::parseNumber(field);
    const auto tolerance = value ? halfUnitOfLastDigit(field) : std::nullopt;
    // The tolerance must stay below half a bin, or a neighbouring row would pass too.
    if (!tolerance || *tolerance >= kBinWidth / 2 ||
        std::abs(*value - expected) > *tolerance * (1 + 1e-9)) {
      char energy[16];
      std::snprintf(energy, sizeof energy, "%.1f", expected);
      throw FileError(file.string() + ", line " + std::to_string(line + headingLines) +
                      ", field 1: \"" + std::string(field) + "\" is not the photon energy " +
                      energy + " keV this line must start with");
    }
    lineStart = lineEnd + 1;
  }
}

}  // namespace palvane
