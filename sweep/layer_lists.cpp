#include "sweep/layer_lists.h"

#include <stdexcept>

#include "sweep/command_line.h"
#include "text_files/csv_writer.h"
#include "text_files/tube_setup.h"

namespace sweep {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> items;
  std::size_t begin = 0;
  while (true) {
    const std::size_t end = text.find(separator, begin);
    items.push_back(text.substr(begin, end == std::string::npos ? end : end - begin));
    if (end == std::string::npos) return items;
    begin = end + 1;
  }
}

// One MATERIAL:MM layer of an option, checked as a setting of that kind.
palvane::AddedLayer parseLayer(const std::string& option, std::string_view keyword,
                               const std::string& item, double thickest) {
  const std::optional<palvane::AddedLayer> layer = palvane::parseLayerEntry(item);
  if (!layer) {
    throw UsageError(option + ": \"" + item + "\" is not MATERIAL:MM (e.g. ag:0.05)");
  }
  if (const auto problem = palvane::addedLayerProblem(keyword, *layer, thickest)) {
    throw UsageError(option + ": " + *problem);
  }
  return *layer;
}

}  // namespace

std::vector<FilterStack> parseFilterList(const std::string& text) {
  std::vector<FilterStack> stacks;
  for (const std::string& alternative : split(text, ',')) {
    FilterStack stack;
    if (alternative != "none") {
      for (const std::string& item : split(alternative, '+')) {
        stack.push_back(
            parseLayer("--filter", palvane::kFilterKeyword, item, palvane::kThickestAddedFilter));
      }
    }
    stacks.push_back(stack);
  }
  return stacks;
}

std::vector<std::optional<palvane::AddedLayer>> parsePlateList(const std::string& text) {
  std::vector<std::optional<palvane::AddedLayer>> plates;
  for (const std::string& item : split(text, ',')) {
    if (item == "none") {
      plates.emplace_back();
      continue;
    }
    palvane::TubeSetup setup;
    setup.plate = parseLayer("--plate", palvane::kPlateKeyword, item, palvane::kThickestPlate);
    if (const auto problem = palvane::setupProblem(setup)) throw UsageError("--plate: " + *problem);
    plates.push_back(setup.plate);
  }
  return plates;
}

std::string layersCell(const FilterStack& filters) {
  std::string cell;
  for (const palvane::AddedLayer& layer : filters) {
    if (!cell.empty()) cell += "+";
    cell += layer.material + ":" + csv::number(layer.thickness);
  }
  return cell;
}

void checkMaterials(const std::vector<FilterStack>& filters,
                    const std::vector<std::optional<palvane::AddedLayer>>& plates,
                    const engine::MaterialTable& table) {
  const auto check = [&](const char* option, const palvane::AddedLayer& layer) {
    if (table.find(layer.material) != table.end()) return;
    std::string known;
    for (const auto& entry : table) {
      if (!known.empty()) known += ", ";
      known += entry.first;
    }
    throw std::runtime_error(std::string(option) + ": no material \"" + layer.material + "\" in " +
                             engine::kMaterialTableFile + " (it holds " + known + ")");
  };
  for (const FilterStack& stack : filters) {
    for (const palvane::AddedLayer& layer : stack) check("--filter", layer);
  }
  for (const auto& plate : plates) {
    if (plate) check("--plate", *plate);
  }
}

}  // namespace sweep
