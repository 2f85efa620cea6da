#include "sweep/command_line.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <set>

#include "calibration/profile_file.h"
#include "sweep/layer_lists.h"
#include "sweep/value_list.h"
#include "text_files/spectrum_form_defaults.h"

namespace sweep {

namespace {

std::string shown(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// The comma-separated items of an option's value.
std::vector<std::string> splitItems(const std::string& text) {
  std::vector<std::string> items;
  std::size_t begin = 0;
  while (true) {
    const std::size_t comma = text.find(',', begin);
    items.push_back(text.substr(begin, comma == std::string::npos ? comma : comma - begin));
    if (comma == std::string::npos) return items;
    begin = comma + 1;
  }
}

std::vector<Target> parseTargets(const std::string& text) {
  std::vector<Target> targets;
  for (std::string name : splitItems(text)) {
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "mo") {
      targets.push_back(Target::kMolybdenum);
    } else if (name == "w") {
      targets.push_back(Target::kTungsten);
    } else {
      throw UsageError("--target: \"" + name + "\" is not a target (mo or w)");
    }
  }
  return targets;
}

// A value list whose every value lies within [lowest, highest].
std::vector<double> parseBoundedList(const std::string& option, const std::string& text,
                                     double lowest, double highest, const std::string& unit) {
  std::vector<double> values;
  try {
    values = parseValueList(text);
  } catch (const ValueListError& error) {
    throw UsageError(option + ": " + error.what());
  }
  for (double value : values) {
    // The engines read and compute in single precision; a larger value could only fail.
    if (std::abs(value) > std::numeric_limits<float>::max()) {
      throw UsageError(option + ": " + shown(value) +
                       " is beyond the single-precision range the engines compute in");
    }
    if (value < lowest || value > highest) {
      throw UsageError(option + ": " + shown(value) + " is outside " + shown(lowest) + " to " +
                       shown(highest) + " " + unit);
    }
  }
  return values;
}

int parseWholeNumber(const char* option, const std::string& text, int lowest, int highest) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number < lowest ||
      number > highest) {
    throw UsageError(std::string(option) + ": \"" + text + "\" is not a whole number from " +
                     std::to_string(lowest) + " to " + std::to_string(highest));
  }
  return number;
}

// A number of an option's item that must be above 0: the whole item must be the number.
double positiveNumber(const std::string& option, const std::string& item, const std::string& text,
                      const char* what) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    throw UsageError(option + ": \"" + item + "\": " + what + " \"" + text + "\" is not a number");
  }
  if (!(value > 0.0) || !std::isfinite(value)) {
    throw UsageError(option + ": \"" + item + "\": " + what + " must be above 0");
  }
  return value;
}

// "28:0.31" or "25:0.28,28:0.31": tube voltage in kV and measured HVL in mm.
std::vector<calibration::HvlPair> parseHvlPairs(const std::string& text) {
  const std::string option = "--fit-hvl";
  std::vector<calibration::HvlPair> pairs;
  for (const std::string& item : splitItems(text)) {
    const std::size_t colon = item.find(':');
    if (colon == std::string::npos) {
      throw UsageError(option + ": \"" + item + "\" is not KV:HVL (e.g. 28:0.31)");
    }
    const calibration::HvlPair pair{
        positiveNumber(option, item, item.substr(0, colon), "tube voltage"),
        positiveNumber(option, item, item.substr(colon + 1), "HVL")};
    if (calibration::pairProblem(pair)) {
      throw UsageError(option + ": \"" + item + "\": tube voltage " + shown(pair.tubeVoltage) +
                       " kV is outside 20 to 50 kV");
    }
    pairs.push_back(pair);
  }
  return pairs;
}

// "30:0.95,60:0.9": positions X in mm along the anode-cathode axis and the air kerma
// measured there relative to the beam axis.
std::vector<calibration::HeelPoint> parseHeelPoints(const std::string& text) {
  const std::string option = "--fit-heel";
  std::vector<calibration::HeelPoint> points;
  for (const std::string& item : splitItems(text)) {
    const std::size_t colon = item.find(':');
    if (colon == std::string::npos) {
      throw UsageError(option + ": \"" + item + "\" is not X:REL (e.g. 60:0.9)");
    }
    calibration::HeelPoint point;
    point.position = positiveNumber(option, item, item.substr(0, colon), "position X");
    point.relativeKerma = positiveNumber(option, item, item.substr(colon + 1), "relative kerma");
    if (point.position > calibration::kFarthestHeelPoint) {
      throw UsageError(option + ": \"" + item + "\": X " + shown(point.position) +
                       " mm is outside the map (up to 150 mm)");
    }
    if (point.relativeKerma > calibration::kHighestRelativeKerma) {
      throw UsageError(option + ": \"" + item + "\": relative kerma " + shown(point.relativeKerma) +
                       " is above 1.5");
    }
    points.push_back(point);
  }
  if (points.size() > calibration::kMostHeelPoints) {
    throw UsageError(option + ": more than " + std::to_string(calibration::kMostHeelPoints) +
                     " points");
  }
  return points;
}

// "120@50@28": measured air kerma in uGy/mAs at a distance in cm from the focal spot, at a
// tube voltage in kV (0 when not given).
CommandLine::MeasuredOutput parseOutput(const std::string& text) {
  const std::string option = "--output-kerma";
  const std::size_t at = text.find('@');
  const std::size_t second = at == std::string::npos ? at : text.find('@', at + 1);
  if (at == std::string::npos) {
    throw UsageError(option + ": \"" + text + "\" is not UGY_PER_MAS@CM@KV (e.g. 120@50@28)");
  }
  CommandLine::MeasuredOutput measured;
  measured.output = {
      positiveNumber(option, text, text.substr(0, at), "air kerma"),
      positiveNumber(option, text,
                     text.substr(at + 1, second == std::string::npos ? second : second - at - 1),
                     "distance")};
  if (second != std::string::npos) {
    measured.tubeVoltage = positiveNumber(option, text, text.substr(second + 1), "tube voltage");
    if (calibration::pairProblem({measured.tubeVoltage, 1.0})) {
      throw UsageError(option + ": \"" + text + "\": tube voltage " + shown(measured.tubeVoltage) +
                       " kV is outside 20 to 50 kV");
    }
  }
  if (const auto problem = calibration::outputProblem(measured.output)) {
    if (*problem == calibration::OutputProblem::kDistanceOutOfRange) {
      throw UsageError(option + ": \"" + text + "\": distance " + shown(measured.output.distance) +
                       " cm is outside 10 to 200 cm");
    }
    throw UsageError(option + ": \"" + text + "\" is too large to compute with");
  }
  return measured;
}

// The value of an option that names a file or directory: not empty.
std::string nameOf(const char* option, const std::string& value, const char* what) {
  if (value.empty()) throw UsageError(std::string(option) + ": the " + what + " name is empty");
  return value;
}

// The unit as the messages and the help spell it out.
std::string unitInWords(std::string_view unit) {
  return unit == "deg" ? "degrees" : std::string(unit);
}

// The option of a number of the set-up.
std::string optionOf(double Settings::*member) {
  return std::string(palvane::setupField(member).option);
}

using OptionReader = std::function<void(CommandLine&, const std::string&)>;

const std::map<std::string, OptionReader>& optionReaders() {
  static const std::map<std::string, OptionReader> readers = [] {
    std::map<std::string, OptionReader> readers{
        {"--target",
         [](CommandLine& c, const std::string& v) { c.request.targets = parseTargets(v); }},
        {"--filter",
         [](CommandLine& c, const std::string& v) { c.request.addedFilters = parseFilterList(v); }},
        {"--plate",
         [](CommandLine& c, const std::string& v) { c.request.plates = parsePlateList(v); }},
        {"--fit-hvl", [](CommandLine& c, const std::string& v) { c.fitPairs = parseHvlPairs(v); }},
        {"--output-kerma",
         [](CommandLine& c, const std::string& v) { c.measuredOutput = parseOutput(v); }},
        {"--fit-heel",
         [](CommandLine& c, const std::string& v) { c.heelPoints = parseHeelPoints(v); }},
        {"--calibration",
         [](CommandLine& c, const std::string& v) {
           c.calibrationFile = nameOf("--calibration", v, "file");
         }},
        {"--jobs",
         [](CommandLine& c, const std::string& v) {
           c.parallelRuns = parseWholeNumber("--jobs", v, 1, kMaxParallelRuns);
         }},
        {"--output",
         [](CommandLine& c, const std::string& v) { c.output = nameOf("--output", v, "file"); }},
        {"--tables",
         [](CommandLine& c, const std::string& v) {
           c.tablesDirectory = nameOf("--tables", v, "directory");
         }},
    };
    for (const SetupField& field : palvane::kSetupFields) {
      if (field.option.empty()) continue;
      readers.emplace(field.option, [&field](CommandLine& c, const std::string& v) {
        c.request.listOf(field) = parseBoundedList(std::string(field.option), v, field.lowest,
                                                   field.modelHighest, unitInWords(field.unit));
      });
    }
    return readers;
  }();
  return readers;
}

// Text followed by blanks up to a width.
std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

// The help of the numbers' options: "  --kv LIST       tube voltage in kV, 20 to 50" and the
// default at column 72, or on a line of its own where each target starts with its own.
std::string numberOptionsHelp() {
  std::string help;
  for (const SetupField& field : palvane::kSetupFields) {
    if (field.option.empty()) continue;
    const std::string line = "  " + padded(std::string(field.option) + " LIST", 16) +
                             std::string(field.description) + ", " + shown(field.lowest) + " to " +
                             shown(field.modelHighest);
    const double forMolybdenum = startingSettings(Target::kMolybdenum).*field.member;
    const double forTungsten = startingSettings(Target::kTungsten).*field.member;
    if (forMolybdenum == forTungsten) {
      help += padded(line, 72) + "default: " + shown(forMolybdenum) + "\n";
    } else {
      help += line + "\n" + std::string(39, ' ') + "default: " + shown(forMolybdenum) + " for " +
              std::string(targetName(Target::kMolybdenum)) + ", " + shown(forTungsten) + " for " +
              std::string(targetName(Target::kTungsten)) + "\n";
    }
  }
  return help;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine commandLine;
  std::set<std::string> seen;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      commandLine.helpRequested = true;
      return commandLine;
    }
    if (argument == "--version") {
      commandLine.versionRequested = true;
      return commandLine;
    }
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const auto reader = optionReaders().find(name);
    if (reader == optionReaders().end()) {
      throw UsageError("unknown option \"" + argument + "\" (see --help)");
    }
    if (!seen.insert(name).second) throw UsageError(name + " is given twice");
    std::string value;
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      throw UsageError(name + " needs a value");
    }
    reader->second(commandLine, value);
  }
  const std::string aluminium = optionOf(&Settings::aluminium);
  const SetupField& tubeVoltage = palvane::setupField(&Settings::tubeVoltage);
  // Its list, or the one value it starts with, the same for every target.
  const std::vector<double> voltages =
      valuesFor(commandLine.request, tubeVoltage, Target::kMolybdenum);
  if (seen.count("--fit-hvl") != 0 && seen.count(aluminium) != 0) {
    throw UsageError("--fit-hvl fits the aluminium: give it or " + aluminium + ", not both");
  }
  if (seen.count("--calibration") != 0) {
    for (const std::string& other :
         {aluminium, std::string("--fit-hvl"), std::string("--output-kerma")}) {
      if (seen.count(other) != 0) {
        throw UsageError(
            std::string("--calibration gives the aluminium and the output: give it or ") + other +
            ", not both");
      }
    }
  }
  if (seen.count("--fit-heel") != 0) {
    for (const std::string& other :
         {optionOf(&Settings::targetAngle), std::string("--calibration")}) {
      if (seen.count(other) != 0) {
        throw UsageError(std::string("--fit-heel fits the target angle: give it or ") + other +
                         ", not both");
      }
    }
    if (voltages.size() != 1) {
      throw UsageError(
          "--fit-heel: the heel is measured at one tube voltage: give it as the "
          "only " +
          std::string(tubeVoltage.option));
    }
  }
  // An output is measured at one tube voltage; across several its value changes with the
  // model's air kerma, so the voltage it was measured at must be known.
  if (commandLine.measuredOutput && commandLine.measuredOutput->tubeVoltage == 0.0) {
    if (voltages.size() != 1) {
      throw UsageError(
          "--output-kerma: the sweep has several tube voltages: give the one the "
          "output was measured at, e.g. " +
          shown(commandLine.measuredOutput->output.kermaPerLoad) + "@" +
          shown(commandLine.measuredOutput->output.distance) + "@28");
    }
    commandLine.measuredOutput->tubeVoltage = voltages.front();
  }
  if (combinationCount(commandLine.request) > kMaxCombinations) {
    throw UsageError("the lists give " + shown(combinationCount(commandLine.request)) +
                     " combinations, more than " + shown(kMaxCombinations));
  }
  return commandLine;
}

std::string helpText() {
  return R"(Usage: sweep [OPTION VALUES]...

Computes the field of the engines (dornic for the molybdenum target, vessick for tungsten)
for every combination of the settings given and writes one CSV row per combination.

Settings (each takes one value, a comma-separated list, or a range start:stop:step that
includes stop when the steps reach it; lists and ranges mix: 20:24:2,35; the decimal
point is a full stop, and a whole number with a leading zero is refused: 0.05, not 0,05):
  --target LIST   target: mo (molybdenum) or w (tungsten), e.g. mo,w   default: mo
)" + numberOptionsHelp() +
         R"(  --filter LIST   added filters of a material of Materials.dat, MATERIAL:MM (0 to )" +
         shown(palvane::kThickestAddedFilter) + R"( mm),
                  placed with the Mo and Rh filters; "+" stacks layers, "none" is none:
                  ag:0.05  none,ag:0.05,al:0.7  ag:0.05+al:0.5       default: none
  --plate LIST    compression plate, pmma:MM or pc:MM (0 to )" +
         shown(palvane::kThickestPlate) + R"( mm), or none,
                  crossed by the whole spectrum along its oblique path   default: none
The air layer is always )" +
         shown(kAirLayerCm) + R"( cm. The defaults are those the spectrum form starts with.

Calibration to a measured tube:
  --fit-hvl KV:HVL[,KV:HVL...]  measured first HVLs (mm of aluminium) at tube voltages
                  (20 to 50 kV). Replaces --al: for every combination of the other
                  settings the aluminium-equivalent thickness (0 to 5 mm) is fitted with
                  the engines so that their beam-axis HVL meets the measured one (several
                  pairs: least squares of the relative differences); each combination then
                  runs with that thickness as B2F.dat carries it (two decimals), which the
                  aluminium column shows (empty when no thickness fits). Added columns:
                  the fit to 0.001 mm and the fit's largest relative difference.
  --output-kerma UGY_PER_MAS@CM@KV  measured air kerma per tube load on the beam axis
                  at a distance (10 to 200 cm) from the focal spot, at a tube voltage
                  with each row's target, angles and filters, e.g. 80@60@28. The
                  @KV may be left out only when the sweep has one tube voltage. Adds the
                  absolute air kerma in uGy/mAs on the beam axis and at X = 5, 10 and
                  15 cm. At the reference point, 65 cm from the focal spot:
                    K_ref(s) = K_meas * (d / 65)^2 * K_model(s) / K_model(s_meas)
                  with K_model the engine's reference air kerma of the row (s) and of
                  the same settings at the measured voltage (s_meas); elsewhere K_ref
                  times the relative air kerma. Neglected: the difference in air path
                  between d and 65 cm, scatter into the dosimeter, and how far the
                  model's change of air kerma with the settings departs from the
                  tube's (the closer s is to s_meas, the smaller that part).
  --fit-heel X:REL[,X:REL...]  measured air kerma relative to the beam axis at points X
                  (mm, 0 to 150) along the anode-cathode axis (Y = 0), at the sweep's
                  one tube voltage. Replaces --theta: for every combination of the other
                  settings the target angle (5 to 30 degrees, in steps of 0.1) that
                  makes the engine's relative air kerma there best match (least
                  squares) is fitted, and the combination runs with it. With --fit-hvl
                  the aluminium is refitted with that angle, in turn, until both are
                  stable. Added columns: the fitted angle and the largest relative
                  difference of the heel. The fitted angle is an effective angle: it
                  makes the model's heel match the measurement; the anode's real angle,
                  focal-spot size and off-focus radiation are not in the model. When the
                  best angle is 5 or 30 degrees the row fails with the model's nearest
                  values.
  --calibration FILE  a tube profile saved by palvane (format 2 or 3): every row of the
                  profile's target runs with the aluminium fitted for its own filters,
                  --filter layers included
                  (two decimals, as B2F.dat carries it; the fit columns show the fit)
                  and, with the profile's output, gets absolute air kerma scaled as
                  above from the output's own settings. A row the profile cannot serve
                  (another target, a filter without a fit, other angles or beryllium)
                  runs as given, with empty calibration cells and "ok, uncalibrated:
                  ..." or "ok, no output measured for ..." as status. Not with --al,
                  --fit-hvl or --output-kerma.

The table opens with "# " lines: the program and version, the date, the tables, the
command line and the calibration used. The energy_fluence and air_kerma columns are in
the table units of each target's engine: compare them between rows of one target, never
between targets (their ratios within a target are what --output-kerma uses).

Other options:
  --jobs N        combinations computed at the same time, 1 to 64       default: 2
  --output FILE   write the table to FILE (replaced as a whole)    default: standard output
  --tables DIR    folder holding MUs3.dat and Mo-STP.dat (and Materials.dat for
                  --filter and --plate)                       default: current folder
                  (when it lacks MUs3.dat: the installed tables, ../share/palvane beside
                  the sweep program, if they are there)
  --help          show this text
  --version       show the program's name and version
Options may also be written --kv=25:35:1.

The tables are read once. Each combination is computed inside sweep by the engines' own
code, from the B2F.dat palvane would write to the Result.dat values dornic or vessick
would write: no engine program is started and no file but the table is written.

Rows follow the combinations with the target varying slowest, then kV, theta, phi, Be,
Al, Mo, Rh, the added filters and the plate (fastest). Columns: the nine settings (the
last one the air layer), with --filter or --plate the added filters and the plate
("ag:0.05", "pmma:2.4"; empty for none), the energy fluence, air kerma and HVL (mm of aluminium) on the beam axis, the relative air
kerma and relative HVL at X = 5, 10 and 15 cm on the anode-cathode axis (Y = 0), and a
status: "ok", or the engine's error message, the value columns then left empty. The engines
write 0 for points beyond the heel cut-off, which they do not compute (with theta + phi
below 0 that includes the beam axis). The header names each column with its unit; numbers
use a full stop as decimal point; text is UTF-8.

Progress is reported on standard error. An interrupted sweep (Ctrl-C, SIGTERM) finishes
the combinations being computed, writes no table and says how far it got.
Exit status: 0 when every combination succeeded, 1 when any failed (the table is written
all the same), 2 when the options or the tables are unusable.
)";
}

}  // namespace sweep
