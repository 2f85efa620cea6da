#include "engine/parameter_file.h"

#include <charconv>
#include <string>
#include <type_traits>
#include <utility>

#include "engine/added_layers.h"
#include "engine/input_error.h"
#include "engine/input_text.h"
#include "engine/numeric_field.h"

namespace engine {

namespace {

constexpr float kMillimetresToCentimetres = 0.1f;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// An optional sign and digits, nothing else.
bool isPlainInteger(std::string_view text) {
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int parseTargetCode(std::string_view text) {
  if (!isPlainInteger(text)) {
    parseReal(text, 0);  // a text that is no number at all is reported as such
    throw FieldError(std::string(kTargetCodeNotInteger));
  }
  const std::string_view digits = text[0] == '+' ? text.substr(1) : text;
  int value = 0;
  if (std::from_chars(digits.data(), digits.data() + digits.size(), value).ec != std::errc()) {
    throw FieldError(std::string(text) + std::string(kBeyondIntegerRange));
  }
  return value;
}

// Hands out the values of a file read in the free form, one per line that holds one.
class FreeFormValues {
 public:
  FreeFormValues(std::string_view text, std::string fileName)
      : records_(text), fileName_(std::move(fileName)) {}

  int nextInteger() { return convert(nextText(), parseTargetCode); }
  float nextReal() {
    return convert(nextText(), [](std::string_view text) { return parseReal(text, 0); });
  }

  // Hands every line after the last value taken to `take(record, lineNumber)`.
  template <typename Take>
  void forEachRemainingLine(Take take) {
    std::string_view record;
    while (records_.next(record)) take(record, records_.lineNumber());
  }

 private:
  // The first value of the next line that holds one: it ends at a blank, a comma or the
  // end of the line.
  std::string_view nextText() {
    std::string_view record;
    while (records_.next(record)) {
      std::size_t start = 0;
      while (start < record.size() && isBlank(record[start])) ++start;
      if (start == record.size()) continue;
      const std::size_t end = record.find_first_of(" \t,", start);
      ++valuesTaken_;
      if (end == start) fail(std::string(kNoValueBeforeComma));
      return record.substr(start, end - start);
    }
    throw InputError(describeInputError(fileName_, 0, 0,
                                        describeShortfall(valuesTaken_, kParameterCount, "value")));
  }

  template <typename Parse>
  std::invoke_result_t<Parse, std::string_view> convert(std::string_view text, Parse parse) {
    try {
      return parse(text);
    } catch (const FieldError& error) {
      fail(error.what());
    }
  }

  [[noreturn]] void fail(const std::string& what) const {
    throw InputError(describeInputError(fileName_, records_.lineNumber(), 0, what));
  }

  RecordReader records_;
  std::string fileName_;
  int valuesTaken_ = 0;
};

}  // namespace

BeamParameters readParameterFile(const std::filesystem::path& file) {
  return readParameterText(readInputFile(file), file.filename().string());
}

BeamParameters readParameterText(std::string_view text, std::string fileName) {
  FreeFormValues values(text, fileName);
  BeamParameters parameters;
  parameters.targetCode = values.nextInteger();
  parameters.tubeVoltage = values.nextReal();
  parameters.targetAngle = values.nextReal();
  parameters.tiltAngle = values.nextReal();
  parameters.beryllium = values.nextReal() * kMillimetresToCentimetres;
  parameters.aluminium = values.nextReal() * kMillimetresToCentimetres;
  parameters.molybdenum = values.nextReal() * kMillimetresToCentimetres;
  parameters.rhodium = values.nextReal() * kMillimetresToCentimetres;
  parameters.airLayer = values.nextReal();
  values.forEachRemainingLine([&](std::string_view record, int line) {
    readAddedLayer(record, line, fileName, parameters);
  });
  return parameters;
}

}  // namespace engine
