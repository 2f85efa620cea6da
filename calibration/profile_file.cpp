#include "calibration/profile_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <set>
#include <sstream>

#include "text_files/atomic_file.h"
#include "text_files/file_error.h"
#include "text_files/input_file.h"

namespace calibration {

namespace {

std::string shortest(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string signedPercent(double relative) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%+.2f", 100.0 * relative);
  return buffer;
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A name on one line: control characters become blanks.
std::string oneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return trimmed(text);
}

std::string line(const std::string& key, const std::string& value) {
  return key + " = " + value + "\n";
}

// The fields separated by single blanks.
std::string words(std::initializer_list<std::string> fields) {
  std::string text;
  for (const std::string& field : fields) {
    if (!text.empty()) text += ' ';
    text += field;
  }
  return text;
}

std::string setupLines(const std::string& prefix, const palvane::TubeSetup& setup) {
  return line(prefix + "target_angle", shortest(setup.targetAngle)) +
         line(prefix + "tilt_angle", shortest(setup.tiltAngle)) +
         line(prefix + "beryllium", shortest(setup.beryllium)) +
         line(prefix + "aluminium", shortest(setup.aluminium)) +
         line(prefix + "molybdenum", shortest(setup.molybdenum)) +
         line(prefix + "rhodium", shortest(setup.rhodium));
}

// "ag 0.05": a layer as its line gives it.
std::string layerValue(const palvane::AddedLayer& layer) {
  return words({layer.material, shortest(layer.thickness)});
}

// Whether a format 2 reader knows the filters: none, mo or rh alone.
bool formatTwoFilters(const std::string& key) {
  return key == "none" || key == "mo" || key == "rh";
}

// The oldest format that holds the profile: 2 unless it has a fit of other filters than
// none, mo or rh alone, a fit made through a plate, or an output measured with added layers.
int formatOf(const TubeProfile& profile) {
  bool newer = profile.heel && !formatTwoFilters(profile.heel->filter);
  for (const FilterCalibration& fit : profile.filters) {
    newer |= !formatTwoFilters(filterKey(fit.filters)) || fit.plate.has_value();
  }
  if (profile.output) newer |= palvane::hasAddedLayers(profile.output->setup);
  return newer ? kProfileFormat : 2;
}

std::string filterLines(const FilterCalibration& fit) {
  std::string text(1, '\n');
  text += line("filter", filterKey(fit.filters));
  if (!fit.filters.empty()) {
    std::string thicknesses;
    for (const palvane::AddedLayer& filter : fit.filters) {
      thicknesses = words({thicknesses, shortest(filter.thickness)});
    }
    text += line("filter_thickness", thicknesses);
  }
  text += line("beryllium", shortest(fit.beryllium)) +
          line("target_angle", shortest(fit.targetAngle)) +
          line("tilt_angle", shortest(fit.tiltAngle));
  if (fit.plate) text += line("plate", layerValue(*fit.plate));
  if (!fit.date.empty()) text += line("date", fit.date);
  if (fit.aluminium) {
    text += line("aluminium", shortest(*fit.aluminium)) +
            line("aluminium_b2f", shortest(std::round(*fit.aluminium * 100.0) / 100.0));
  }
  for (const PairFit& pair : fit.pairs) {
    std::string value = words({shortest(pair.measured.tubeVoltage), shortest(pair.measured.hvl)});
    if (pair.modelHvl > 0.0) {
      value = words({value, shortest(std::round(pair.modelHvl * 1e4) / 1e4),
                     signedPercent(pair.relativeDifference())});
    }
    text += line("hvl", value);
  }
  return text;
}

// The keys of each block, the first of each opening it.
const std::set<std::string> kTopKeys = {"format", "name", "target"};
const std::set<std::string> kFilterKeys = {
    "filter", "filter_thickness", "beryllium",     "target_angle", "tilt_angle", "plate",
    "date",   "aluminium",        "aluminium_b2f", "hvl"};
const std::set<std::string> kOutputKeys = {
    "output_kerma",        "output_distance",   "output_date",      "output_tube_voltage",
    "output_target_angle", "output_tilt_angle", "output_beryllium", "output_aluminium",
    "output_molybdenum",   "output_rhodium",    "output_filter",    "output_plate"};
// The output keys a measurement without added layers does without.
const std::set<std::string> kOptionalOutputKeys = {"output_date", "output_filter", "output_plate"};
const std::set<std::string> kHeelKeys = {"heel_filter", "heel_tube_voltage", "heel_date",
                                         "heel_point", "heel_target_angle"};
// Keys that may be given more than once in their block.
const std::set<std::string> kRepeatedKeys = {"hvl", "heel_point", "output_filter"};

// Reads the lines of one file, each error naming the file and the line.
class ProfileReader {
 public:
  // `name` is what the messages call the file.
  ProfileReader(std::string name, std::string text)
      : file_(std::move(name)), text_(std::move(text)) {}

  TubeProfile read() {
    std::istringstream in(text_);
    std::string text;
    bool targetSeen = false;
    bool anyKey = false;
    profile_.format = 1;
    while (std::getline(in, text)) {
      ++lineNumber_;
      const std::string whole = trimmed(text);
      if (whole.empty() || whole.front() == '#') continue;
      const std::size_t equals = whole.find('=');
      if (equals == std::string::npos) fail("\"" + whole + "\" is not key = value");
      const std::string key = trimmed(whole.substr(0, equals));
      // A name is taken as written; any other value ends at a '#'.
      std::string value = whole.substr(equals + 1);
      if (key != "name") value = value.substr(0, value.find('#'));
      value = trimmed(value);
      if (key == "format") {
        if (anyKey) fail("format must be the first line");
        readFormat(value);
      }
      anyKey = true;
      checkKey(key);
      if (key == "format") continue;
      if (key == "name") {
        if (profile_.format < 2) fail("name needs format = 2");
        profile_.name = value;
      } else if (key == "target") {
        if (value == "mo") {
          profile_.target = palvane::Target::kMolybdenum;
        } else if (value == "w") {
          profile_.target = palvane::Target::kTungsten;
        } else {
          fail("target \"" + value + "\" is neither mo nor w");
        }
        targetSeen = true;
      } else if (kFilterKeys.count(key) != 0) {
        readFilterKey(key, value);
      } else if (kOutputKeys.count(key) != 0) {
        readOutputKey(key, value);
      } else {
        readHeelKey(key, value);
      }
    }
    if (!targetSeen) fail("no target line (target = mo or target = w)");
    finishFilter();
    finishOutput();
    finishHeel();
    if (profile_.output) profile_.output->setup.target = profile_.target;
    return profile_;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw palvane::FileError(file_ + ", line " + std::to_string(lineNumber_) + ": " + what);
  }

  void readFormat(const std::string& value) {
    const double format = number(value, "format");
    if (format != std::floor(format) || format < 1) fail("format \"" + value + "\" is unknown");
    if (format > kProfileFormat) {
      fail("format " + value + " is newer than this program reads (up to " +
           std::to_string(kProfileFormat) + "); use a newer Palvane");
    }
    profile_.format = static_cast<int>(format);
  }

  void checkKey(const std::string& key) {
    const bool known = kTopKeys.count(key) != 0 || kFilterKeys.count(key) != 0 ||
                       kOutputKeys.count(key) != 0 || kHeelKeys.count(key) != 0;
    if (!known) fail("unknown key \"" + key + "\"");
    if (profile_.format < 2 && key != "target" && key != "aluminium" && key != "hvl" &&
        key != "output_kerma" && key != "output_distance") {
      fail("\"" + key + "\" needs format = 2 as the first line");
    }
    if (key == "filter") {
      finishFilter();
      blockSeen_.clear();
    }
    if (kRepeatedKeys.count(key) != 0) return;
    std::set<std::string>& seen = kFilterKeys.count(key) != 0 ? blockSeen_ : seen_;
    if (!seen.insert(key).second) fail("\"" + key + "\" is given twice");
  }

  double number(const std::string& text, const std::string& what) const {
    // The differences are written with their sign, "+0.09", which from_chars does not take.
    const std::size_t first = !text.empty() && text[0] == '+' ? 1 : 0;
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data() + first, text.data() + text.size(), value);
    if (text.size() == first || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
      fail(what + " \"" + text + "\" is not a number");
    }
    return value;
  }

  double within(const std::string& text, const std::string& what, double lowest, double highest,
                const std::string& unit) const {
    const double value = number(text, what);
    if (!(value >= lowest && value <= highest)) {
      fail(what + " " + text + " is outside " + shortest(lowest) + " to " + shortest(highest) +
           unit);
    }
    return value;
  }

  double thickness(const std::string& text, const std::string& what) const {
    const double value = number(text, what);
    if (!(value >= 0.0)) fail(what + " " + text + " mm is below 0");
    return value;
  }

  double angle(const std::string& text, const std::string& what) const {
    return within(text, what, -90.0, 90.0, " degrees");
  }

  double tubeVoltage(const std::string& text, const std::string& what) const {
    return within(text, what, palvane::kLowestTubeVoltage, palvane::kHighestTubeVoltage, " kV");
  }

  std::string date(const std::string& text, const std::string& what) const {
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                        text.find_first_not_of("0123456789-") == std::string::npos;
    if (!text.empty() && !shaped) fail(what + " \"" + text + "\" is not a date yyyy-mm-dd");
    return text;
  }

  // The filters of a key (thicknesses 0): "none", or materials joined by '+', the tube's
  // mo and rh first, as filterKey writes them.
  Filters filters(const std::string& text, const std::string& what) const {
    Filters found;
    if (text == "none") return found;
    std::size_t start = 0;
    int last = 0;  // 1 after mo, 2 after rh, 3 after an added material
    while (true) {
      const std::size_t plus = text.find('+', start);
      const std::string material = text.substr(start, plus - start);
      const int order = material == "mo" ? 1 : material == "rh" ? 2 : 3;
      const bool key =
          !material.empty() && material != "none" &&
          material.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") == std::string::npos;
      if (!key || (order < 3 && order <= last)) {
        fail(what + " \"" + text +
             "\" is not none, mo, rh or material keys joined by + (mo and rh first)");
      }
      last = order;
      found.push_back({material, 0.0});
      if (plus == std::string::npos) return found;
      start = plus + 1;
    }
  }

  // "pmma 2.4": a material key and a thickness of 0 to `thickest` mm.
  palvane::AddedLayer layer(const std::string& key, const std::string& value,
                            std::string_view keyword, double thickest) const {
    const std::vector<std::string> found = fields(key, value, 2, 2, "a material and mm");
    const palvane::AddedLayer read{found[0], number(found[1], key + " thickness")};
    if (const auto problem = palvane::addedLayerProblem(keyword, read, thickest)) fail(*problem);
    return read;
  }

  // The numbers of a line with at least `fewest` and at most `most` fields.
  std::vector<std::string> fields(const std::string& key, const std::string& value,
                                  std::size_t fewest, std::size_t most,
                                  const std::string& shape) const {
    std::istringstream in(value);
    std::vector<std::string> found;
    std::string field;
    while (in >> field) found.push_back(field);
    if (found.size() < fewest || found.size() > most) {
      fail(key + " \"" + value + "\" is not " + shape);
    }
    return found;
  }

  void readFilterKey(const std::string& key, const std::string& value) {
    if (key == "filter") {
      Filters kinds = filters(value, "filter");
      if (profile_.filterCalibration(filterKey(kinds)) != nullptr) {
        fail("filter " + value + " is given twice");
      }
      profile_.filters.push_back({});
      profile_.filters.back().filters = std::move(kinds);
      filterOpen_ = true;
      return;
    }
    if (profile_.format >= 2 && !filterOpen_) fail(key + " comes before any filter line");
    if (profile_.filters.empty()) profile_.filters.push_back({});  // format 1: the one fit
    FilterCalibration& fit = profile_.filters.back();
    if (key == "filter_thickness") {
      readThicknesses(fit, value);
    } else if (key == "plate") {
      fit.plate = layer(key, value, palvane::kPlateKeyword, palvane::kThickestPlate);
    } else if (key == "beryllium") {
      fit.beryllium = thickness(value, "beryllium");
    } else if (key == "target_angle") {
      fit.targetAngle = angle(value, "target_angle");
    } else if (key == "tilt_angle") {
      fit.tiltAngle = angle(value, "tilt_angle");
    } else if (key == "date") {
      fit.date = date(value, "date");
    } else if (key == "aluminium") {
      fit.aluminium = within(value, "aluminium", 0.0, kThickestAluminium, " mm");
    } else if (key == "aluminium_b2f") {
      within(value, "aluminium_b2f", 0.0, kThickestAluminium, " mm");  // derived: checked only
    } else {
      readPair(fit, value);
    }
  }

  // One thickness per filter of the block, in the order of its key.
  void readThicknesses(FilterCalibration& fit, const std::string& value) {
    const std::size_t count = std::max<std::size_t>(fit.filters.size(), 1);
    const std::vector<std::string> found =
        fields("filter_thickness", value, count, count,
               std::to_string(count) + (count == 1 ? " thickness" : " thicknesses"));
    for (std::size_t n = 0; n < found.size() && n < fit.filters.size(); ++n) {
      fit.filters[n].thickness = thickness(found[n], "filter_thickness");
    }
  }

  void readPair(FilterCalibration& fit, const std::string& value) {
    const std::vector<std::string> found =
        fields("hvl", value, 2, profile_.format >= 2 ? 4 : 2, "kV HVL [model-HVL difference-%]");
    if (found.size() == 3) fail("hvl \"" + value + "\" gives a model HVL without its difference");
    PairFit pair;
    pair.measured = {tubeVoltage(found[0], "hvl tube voltage"), number(found[1], "hvl")};
    if (!(pair.measured.hvl > 0.0)) fail("hvl " + found[1] + " mm must be above 0");
    if (found.size() == 4) {
      pair.modelHvl = number(found[2], "hvl model HVL");
      if (!(pair.modelHvl > 0.0)) fail("hvl model HVL " + found[2] + " mm must be above 0");
      number(found[3], "hvl difference");  // derived from the two: checked only
    }
    if (fit.pairs.size() >= kMostHvlPairs) {
      fail("more than " + std::to_string(kMostHvlPairs) + " hvl lines for one filter");
    }
    fit.pairs.push_back(pair);
  }

  void finishFilter() {
    if (!filterOpen_) return;
    const FilterCalibration& fit = profile_.filters.back();
    const std::string key = filterKey(fit.filters);
    for (const char* needed : {"beryllium", "target_angle", "tilt_angle"}) {
      if (blockSeen_.count(needed) == 0) fail("filter " + key + " has no " + needed + " line");
    }
    for (const palvane::AddedLayer& filter : fit.filters) {
      if (!(filter.thickness > 0.0)) fail("filter " + key + " has no filter_thickness above 0");
    }
    if (fit.filters.empty() && blockSeen_.count("filter_thickness") != 0) {
      fail("filter none has a filter_thickness");
    }
    filterOpen_ = false;
  }

  void readOutputKey(const std::string& key, const std::string& value) {
    OutputMeasurement& output = output_;
    outputKeys_.insert(key);
    if (key == "output_kerma") {
      output.output.kermaPerLoad = number(value, key);
      if (!(output.output.kermaPerLoad > 0.0)) fail(key + " " + value + " must be above 0");
    } else if (key == "output_distance") {
      output.output.distance =
          within(value, key, kNearestOutputDistance, kFarthestOutputDistance, " cm");
    } else if (key == "output_date") {
      output.date = date(value, key);
    } else if (key == "output_tube_voltage") {
      output.setup.tubeVoltage = tubeVoltage(value, key);
    } else if (key == "output_target_angle") {
      output.setup.targetAngle = angle(value, key);
    } else if (key == "output_tilt_angle") {
      output.setup.tiltAngle = angle(value, key);
    } else if (key == "output_beryllium") {
      output.setup.beryllium = thickness(value, key);
    } else if (key == "output_aluminium") {
      output.setup.aluminium = thickness(value, key);
    } else if (key == "output_molybdenum") {
      output.setup.molybdenum = thickness(value, key);
    } else if (key == "output_rhodium") {
      output.setup.rhodium = thickness(value, key);
    } else if (key == "output_filter") {
      output.setup.addedFilters.push_back(
          layer(key, value, palvane::kFilterKeyword, palvane::kThickestAddedFilter));
    } else {
      output.setup.plate = layer(key, value, palvane::kPlateKeyword, palvane::kThickestPlate);
    }
  }

  void finishOutput() {
    if (outputKeys_.empty()) return;
    for (const std::string& key : kOutputKeys) {
      const bool needed = profile_.format >= 2 ? kOptionalOutputKeys.count(key) == 0
                                               : key == "output_kerma" || key == "output_distance";
      if (needed && outputKeys_.count(key) == 0) fail("the output has no " + key + " line");
    }
    if (outputProblem(output_.output)) fail("output_kerma and output_distance cannot be used");
    profile_.output = output_;
  }

  void readHeelKey(const std::string& key, const std::string& value) {
    if (!profile_.heel) profile_.heel.emplace();
    HeelCalibration& heel = *profile_.heel;
    if (key == "heel_filter") {
      heel.filter = filterKey(filters(value, key));
    } else if (key == "heel_tube_voltage") {
      heel.tubeVoltage = tubeVoltage(value, key);
    } else if (key == "heel_date") {
      heel.date = date(value, key);
    } else if (key == "heel_target_angle") {
      heel.targetAngle = within(value, key, kSmallestFittedAngle, kLargestFittedAngle, " degrees");
    } else {
      const std::vector<std::string> found =
          fields(key, value, 2, 4, "X-mm relative-kerma [model difference-%]");
      HeelPoint point;
      point.position = within(found[0], "heel_point X", 0.0, kFarthestHeelPoint, " mm");
      point.relativeKerma = number(found[1], "heel_point relative kerma");
      if (!(point.relativeKerma > 0.0 && point.relativeKerma <= kHighestRelativeKerma)) {
        fail("heel_point relative kerma " + found[1] + " is outside (0, 1.5]");
      }
      if (found.size() == 3)
        fail("heel_point \"" + value + "\" gives a model value without its difference");
      if (found.size() == 4) {
        point.modelKerma = number(found[2], "heel_point model");
        number(found[3], "heel_point difference");  // derived from the two: checked only
      }
      if (heel.points.size() >= kMostHeelPoints) {
        fail("more than " + std::to_string(kMostHeelPoints) + " heel_point lines");
      }
      heel.points.push_back(point);
    }
  }

  void finishHeel() {
    if (!profile_.heel) return;
    for (const char* key : {"heel_filter", "heel_tube_voltage"}) {
      if (seen_.count(key) == 0) fail(std::string("the heel has no ") + key + " line");
    }
    if (profile_.heel->points.empty()) fail("the heel has no heel_point line");
  }

  std::string file_;
  std::string text_;
  int lineNumber_ = 0;
  std::set<std::string> seen_;       // keys outside the filter blocks
  std::set<std::string> blockSeen_;  // keys of the open filter block
  bool filterOpen_ = false;
  OutputMeasurement output_;
  std::set<std::string> outputKeys_;
  TubeProfile profile_;
};

}  // namespace

std::string profileFileText(const TubeProfile& profile) {
  std::string text = "# palvane tube profile\n" + line("format", std::to_string(formatOf(profile)));
  if (!oneLine(profile.name).empty()) text += line("name", oneLine(profile.name));
  text += line("target", std::string(palvane::targetName(profile.target)));
  for (const FilterCalibration& fit : profile.filters) text += filterLines(fit);
  if (const auto& output = profile.output) {
    text += '\n';
    text += line("output_kerma", shortest(output->output.kermaPerLoad)) +
            line("output_distance", shortest(output->output.distance));
    if (!output->date.empty()) text += line("output_date", output->date);
    text += line("output_tube_voltage", shortest(output->setup.tubeVoltage)) +
            setupLines("output_", output->setup);
    for (const palvane::AddedLayer& filter : output->setup.addedFilters) {
      if (filter.thickness > 0.0) text += line("output_filter", layerValue(filter));
    }
    if (const auto& plate = output->setup.plate; plate && plate->thickness > 0.0) {
      text += line("output_plate", layerValue(*plate));
    }
  }
  if (const auto& heel = profile.heel) {
    text += '\n';
    text +=
        line("heel_filter", heel->filter) + line("heel_tube_voltage", shortest(heel->tubeVoltage));
    if (!heel->date.empty()) text += line("heel_date", heel->date);
    for (const HeelPoint& point : heel->points) {
      std::string value = words({shortest(point.position), shortest(point.relativeKerma)});
      if (point.modelKerma) {
        value = words({value, shortest(std::round(*point.modelKerma * 1e4) / 1e4),
                       signedPercent(*point.modelKerma / point.relativeKerma - 1.0)});
      }
      text += line("heel_point", value);
    }
    if (heel->targetAngle) {
      char angle[32];
      std::snprintf(angle, sizeof angle, "%04.1f", *heel->targetAngle);
      text += line("heel_target_angle", angle);
    }
  }
  return text;
}

void writeProfileFile(const std::filesystem::path& file, const TubeProfile& profile) {
  palvane::replaceFileContents(file, profileFileText(profile));
}

TubeProfile readProfileFile(const std::filesystem::path& file) {
  // The input-file checks: a pipe or a device is refused, never waited on.
  return readProfileText(palvane::readInputFile(file), file.string());
}

TubeProfile readProfileText(std::string text, std::string fileName) {
  return ProfileReader(std::move(fileName), std::move(text)).read();
}

}  // namespace calibration
