#include "palvane/state/parameter_file_writer.h"

#include <string_view>

#include "palvane/state/atomic_file.h"
#include "palvane/state/number_text.h"

namespace palvane {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void appendLine(std::string& text, std::string_view line) {
  text += line;
  text += kLineEnd;
}

void appendBox(std::string& text, const std::string& boxText, std::string_view pattern) {
  appendLine(text, PatternFormat(SettingNumber(boxText), pattern));
}

}  // namespace

std::string parameterFileText(int targetType, const ParameterTexts& texts) {
  std::string text;
  appendLine(text, PatternFormat(targetType, "0"));
  appendBox(text, texts.tubeVoltage(), "00.0");
  appendBox(text, texts.targetAngle(), "00.0");
  appendBox(text, texts.tiltAngle(), "00.0");
  appendBox(text, texts.beryllium(), "00.00");
  appendBox(text, texts.aluminium(), "00.00");
  appendBox(text, texts.molybdenum(), "00.000");
  appendBox(text, texts.rhodium(), "00.000");
  appendLine(text, PatternFormat(kEngineAirLayer, "00.000"));
  return text;
}

void WriteParameterFile(int targetType, const ParameterTexts& texts,
                        const std::filesystem::path& directory) {
  replaceFileContents(directory / kParameterFile, parameterFileText(targetType, texts));
}

}  // namespace palvane
