#include "engine/added_layers.h"

#include <cmath>
#include <utility>
#include <vector>

#include "engine/input_error.h"
#include "engine/input_text.h"
#include "engine/message_number.h"
#include "engine/numeric_field.h"

namespace engine {

namespace {

constexpr float kMillimetresToCentimetres = 0.1f;

// (E9.3,nE13.5), as MUs3.dat.
constexpr int kEnergyWidth = 9;
constexpr int kEnergyDecimals = 3;
constexpr int kCoefficientWidth = 13;
constexpr int kCoefficientDecimals = 5;

std::vector<std::string_view> blankSeparatedWords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  while ((start = text.find_first_not_of(" \t", start)) != std::string_view::npos) {
    const std::size_t end = text.find_first_of(" \t", start);
    words.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end;
  }
  return words;
}

// The text in double quotes (built by appending: GCC 12 warns wrongly about a literal
// prefixed to a string).
std::string inQuotes(std::string_view text) {
  std::string result;
  result += '"';
  result += text;
  result += '"';
  return result;
}

[[noreturn]] void fail(const std::string& fileName, int line, int field, const std::string& what) {
  throw InputError(describeInputError(fileName, line, field, what));
}

// A material key: lower-case letters and digits, as in the heading of Materials.dat.
bool isMaterialKey(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

}  // namespace

void readAddedLayer(std::string_view record, int line, const std::string& fileName,
                    BeamParameters& parameters) {
  const std::vector<std::string_view> words = blankSeparatedWords(record);
  if (words.empty()) return;
  const bool isPlate = words[0] == kPlateKeyword;
  if (words.size() != 3 || !(isPlate || words[0] == kFilterKeyword)) {
    fail(fileName, line, 0,
         inQuotes(record) +
             " is not an added layer (\"filter\" or \"plate\", a "
             "material and a thickness in mm, as in \"filter ag 00.050\")");
  }
  if (!isMaterialKey(words[1])) {
    fail(fileName, line, 0, inQuotes(words[1]) + " is not a material name");
  }
  float millimetres = 0;
  try {
    millimetres = parseReal(words[2], 0);
  } catch (const FieldError& error) {
    fail(fileName, line, 0, error.what());
  }
  const double thickest = isPlate ? kThickestPlate : kThickestAddedFilter;
  if (!(millimetres >= 0.0f && millimetres <= thickest)) {
    fail(fileName, line, 0,
         std::string(words[0]) + " " + std::string(words[1]) + " " + messageNumber(millimetres) +
             " mm: the thickness must lie from 0 to " +
             messageNumber(static_cast<float>(thickest)) + " mm");
  }
  if (isPlate && parameters.plate) {
    fail(fileName, line, 0,
         "a second compression plate (the first is on line " +
             std::to_string(parameters.plate->line) + ")");
  }
  // A thickness of zero means the layer is absent, as for the nine settings: it changes
  // nothing, not even the need for Materials.dat.
  if (millimetres == 0.0f) return;
  AddedLayer layer{std::string(words[1]), millimetres * kMillimetresToCentimetres, line, {}};
  if (isPlate) {
    parameters.plate = std::move(layer);
  } else {
    parameters.addedFilters.push_back(std::move(layer));
  }
}

MaterialTable readMaterialTable(const std::filesystem::path& file) {
  return readMaterialTableText(readInputFile(file), file.filename().string());
}

MaterialTable readMaterialTableText(std::string text, std::string fileName) {
  RecordReader records(text);
  std::string_view record;
  if (!records.next(record)) fail(fileName, 0, 0, "empty: the heading line is missing");
  const std::vector<std::string_view> heading = blankSeparatedWords(record);
  if (heading.size() < 2 || heading[0] != "keV") {
    fail(fileName, 1, 0, "the heading must name \"keV\" and one material per column");
  }
  std::vector<BinColumn*> columns;
  MaterialTable table;
  for (std::size_t word = 1; word < heading.size(); ++word) {
    if (!isMaterialKey(heading[word])) {
      fail(fileName, 1, static_cast<int>(word) + 1,
           inQuotes(heading[word]) + " is not a material name");
    }
    const auto [entry, added] = table.try_emplace(std::string(heading[word]));
    if (!added) {
      fail(fileName, 1, static_cast<int>(word) + 1,
           "material " + inQuotes(heading[word]) + " is named twice");
    }
    columns.push_back(&entry->second);
  }
  for (int bin = 1; bin <= kBinCount; ++bin) {
    if (!records.next(record)) {
      fail(fileName, 0, 0, describeShortfall(records.lineNumber(), kBinCount + 1, "line"));
    }
    const int line = records.lineNumber();
    std::size_t position = 0;
    int field = 1;
    const auto next = [&](int width, int decimals) {
      try {
        return readFixedWidthReal(record, position, width, decimals);
      } catch (const FieldError& error) {
        fail(fileName, line, field, error.what());
      }
    };
    const float energy = next(kEnergyWidth, kEnergyDecimals);
    const double expected = 0.2 * bin;
    // Written with three significant digits: within half a unit of the last one.
    const double halfUnit = 0.5 * std::pow(10.0, std::floor(std::log10(expected)) - 2.0);
    if (!(std::fabs(energy - expected) <= halfUnit)) {
      fail(fileName, line, field,
           "photon energy " + messageNumber(energy) + " keV, but line " + std::to_string(line) +
               " is for " + messageNumber(static_cast<float>(expected)) +
               " keV (line i + 1 of the table holds 0.2 * i keV)");
    }
    for (BinColumn* column : columns) {
      ++field;
      if (position >= record.size())
        fail(fileName, line, field, "the line ends before this column");
      const float value = next(kCoefficientWidth, kCoefficientDecimals);
      if (!(value >= 0.0f)) fail(fileName, line, field, "a coefficient must not be negative");
      (*column)[bin] = value;
    }
  }
  return table;
}

bool hasAddedLayers(const BeamParameters& parameters) {
  return !parameters.addedFilters.empty() || parameters.plate.has_value();
}

void resolveMaterials(BeamParameters& parameters, const MaterialTable& table) {
  const auto resolve = [&](AddedLayer& layer) {
    const auto found = table.find(layer.material);
    if (found == table.end()) {
      std::string known;
      for (const auto& entry : table) {
        if (!known.empty()) known += ", ";
        known += entry.first;
      }
      fail("B2F.dat", layer.line, 0,
           "no material " + inQuotes(layer.material) + " in " + kMaterialTableFile + " (it holds " +
               known + ")");
    }
    layer.mu = found->second;
  };
  for (AddedLayer& layer : parameters.addedFilters) resolve(layer);
  if (parameters.plate) resolve(*parameters.plate);
}

}  // namespace engine
