#include "text_files/parameter_file.h"

#include <string_view>

#include "text_files/number_text.h"

namespace palvane {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void appendLine(std::string& text, double value, std::string_view pattern) {
  text += PatternFormat(value, pattern);
  text += kLineEnd;
}

}  // namespace

std::string parameterFileText(const RunSettings& settings) {
  std::string text;
  appendLine(text, settings.targetFlag, "0");
  appendLine(text, settings.tubeVoltage, "00.0");
  appendLine(text, settings.targetAngle, "00.0");
  appendLine(text, settings.tiltAngle, "00.0");
  appendLine(text, settings.beryllium, "00.00");
  appendLine(text, settings.aluminium, "00.00");
  appendLine(text, settings.molybdenum, "00.000");
  appendLine(text, settings.rhodium, "00.000");
  appendLine(text, kAirLayerCm, "00.000");
  return text;
}

RunSettings readParameterFile(const std::filesystem::path& file) {
  FieldReader reader(file);
  RunSettings settings;
  settings.targetFlag = reader.next();
  settings.tubeVoltage = reader.next();
  settings.targetAngle = reader.next();
  settings.tiltAngle = reader.next();
  settings.beryllium = reader.next();
  settings.aluminium = reader.next();
  settings.molybdenum = reader.next();
  settings.rhodium = reader.next();
  return settings;
}

}  // namespace palvane
