#include "text_files/parameter_file.h"

#include <sstream>
#include <string_view>

#include "text_files/file_error.h"
#include "text_files/input_file.h"
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
  // Added layers follow the ninth line; a layer of 0 mm is absent and gets none, so that
  // a set-up without added layers gives the nine lines alone.
  const auto appendLayer = [&](std::string_view keyword, const AddedLayer& layer) {
    if (layer.thickness == 0) return;
    text += addedLayerLine(keyword, layer);
    text += kLineEnd;
  };
  for (const AddedLayer& filter : setup.addedFilters) appendLayer(kFilterKeyword, filter);
  if (setup.plate) appendLayer(kPlateKeyword, *setup.plate);
  return text;
}

TubeSetup readParameterFile(const std::filesystem::path& file) {
  return readParameterText(readInputFile(file), file.filename().string());
}

TubeSetup readParameterText(const std::string& text, const std::string& name) {
  FieldReader reader(name, text);
  TubeSetup setup;
  setup.target = targetOfFlag(reader.next());
  for (const SetupField& field : kSetupFields) {
    if (field.member == &TubeSetup::airLayer) break;
    setup.*field.member = reader.next();
  }
  readAddedLayerLines(text, name, setup);
  return setup;
}

void readAddedLayerLines(std::string_view text, const std::string& fileName, TubeSetup& setup) {
  int line = 0;
  int valueLines = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view record = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++line;
    if (record.find_first_not_of(" \t\r") == std::string_view::npos) continue;
    if (++valueLines <= static_cast<int>(kSetupFields.size()) + 1) continue;
    const auto fail = [&](const std::string& what) {
      throw FileError(fileName + ", line " + std::to_string(line) + ": " + what);
    };
    std::istringstream words{std::string(record)};
    std::string keyword, material, thickness, extra;
    words >> keyword >> material >> thickness;
    if (keyword != kFilterKeyword && keyword != kPlateKeyword) {
      fail("\"" + keyword + "\" is not an added layer (filter or plate)");
    }
    const std::optional<AddedLayer> layer = parseLayerEntry(material + ":" + thickness);
    if (!layer || (words >> extra)) fail("not a material and a thickness in mm");
    if (keyword == kPlateKeyword) {
      setup.plate = *layer;
    } else {
      setup.addedFilters.push_back(*layer);
    }
  }
}

}  // namespace palvane
