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

std::string parameterFileText(const TubeSetup& setup) {
  std::string text;
  appendLine(text, targetFlag(setup.target), kTargetFilePattern);
  for (const SetupField& field : kSetupFields)
    appendLine(text, setup.*field.member, field.filePattern);
  return text;
}

TubeSetup readParameterFile(const std::filesystem::path& file) {
  FieldReader reader(file);
  TubeSetup setup;
  setup.target = targetOfFlag(reader.next());
  for (const SetupField& field : kSetupFields) {
    if (field.member == &TubeSetup::airLayer) break;
    setup.*field.member = reader.next();
  }
  return setup;
}

}  // namespace palvane
