// The desktop's report set of a study given on the command line, composed natively by
// palvane's own code, for the page test to compare the page's set with byte for byte.
//   native_report_set <tables dir> <Result.dat> <profile file | -> <saved at> <folder stamp>
//                     <output dir> [target=mo|w] [<setting>=<value>]... [point=<x>,<y>]...
//                     [filter=<material>:<mm>]... [plate=<material>:<mm>]
// Settings are named as in B2F.dat's table of fields (tube_voltage=28); points are in mm.
// Writes <output dir>/<set folder>/<file> for each text file and prints the folder's name.

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "calibration/profile_file.h"
#include "palvane/physics/study_report_set.h"
#include "palvane/state/table_loading.h"
#include "text_files/atomic_file.h"
#include "text_files/input_file.h"
#include "text_files/number_text.h"

namespace {

void readArgument(const std::string& argument, palvane::StudyValues& study) {
  const std::size_t equals = argument.find('=');
  const std::string name = argument.substr(0, equals);
  const std::string value = equals == std::string::npos ? "" : argument.substr(equals + 1);
  if (name == "target") {
    study.settings.target =
        value == "w" ? palvane::Target::kTungsten : palvane::Target::kMolybdenum;
    return;
  }
  if (name == "filter" || name == "plate") {
    const std::size_t colon = value.find(':');
    const palvane::AddedLayer layer{value.substr(0, colon),
                                    palvane::detail::parseNumber(value.substr(colon + 1)).value()};
    if (name == "filter") {
      study.settings.addedFilters.push_back(layer);
    } else {
      study.settings.plate = layer;
    }
    return;
  }
  if (name == "point") {
    const std::size_t comma = value.find(',');
    study.points.push_back({palvane::detail::parseNumber(value.substr(0, comma)).value(),
                            palvane::detail::parseNumber(value.substr(comma + 1)).value()});
    return;
  }
  for (const palvane::SetupField& field : palvane::kSetupFields) {
    if (field.name == name) {
      study.settings.*field.member = palvane::detail::parseNumber(value).value();
      return;
    }
  }
  throw std::invalid_argument("unknown argument " + argument);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 7) {
    std::fputs(
        "usage: native_report_set <tables dir> <Result.dat> <profile | -> <saved at> "
        "<folder stamp> <output dir> [name=value]...\n",
        stderr);
    return 2;
  }
  try {
    palvane::StudyValues study;
    study.program = "Palvane " PALVANE_VERSION;
    study.resultText = palvane::readInputFile(argv[2]);
    if (std::string(argv[3]) != "-") study.profile = calibration::readProfileFile(argv[3]);
    study.savedAt = argv[4];
    study.folderStamp = argv[5];
    for (int n = 7; n < argc; ++n) readArgument(argv[n], study);
    const palvane::StudyReportSet set =
        palvane::studyReportSet(palvane::readModelTables(argv[1]), study);
    const std::filesystem::path folder = std::filesystem::path(argv[6]) / set.folder;
    std::filesystem::create_directories(folder);
    for (const palvane::SetFile& file : set.files) {
      palvane::replaceFileContents(folder / file.name, file.bytes);
    }
    std::cout << set.folder << '\n';
  } catch (const std::exception& error) {
    std::cerr << "native_report_set: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
