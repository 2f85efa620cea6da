#include "text_files/added_layers.h"

#include <cctype>
#include <cmath>

#include "text_files/number_text.h"

namespace palvane {

namespace {

bool isMaterialKey(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

}  // namespace

std::string addedLayerLine(std::string_view keyword, const AddedLayer& layer) {
  return std::string(keyword) + " " + layer.material + " " +
         PatternFormat(layer.thickness, kLayerFilePattern);
}

std::optional<std::string> addedLayerProblem(std::string_view keyword, const AddedLayer& layer,
                                             double thickest) {
  const std::string named = std::string(keyword) + " " + layer.material;
  if (!isMaterialKey(layer.material)) {
    return std::string(keyword) + " \"" + layer.material +
           "\": a material is named by lower-case letters and digits, as in Materials.dat";
  }
  if (std::isfinite(layer.thickness) && layer.thickness >= 0 && layer.thickness <= thickest) {
    return std::nullopt;
  }
  return named + " " + ShortestText(layer.thickness) + " mm: must lie from 0 to " +
         ShortestText(thickest) + " mm";
}

std::optional<AddedLayer> parseLayerEntry(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  AddedLayer layer;
  for (char c : text.substr(0, colon)) {
    layer.material += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  const std::string_view number = text.substr(colon + 1);
  if (!isMaterialKey(layer.material) || number.empty() ||
      detail::numberPrefixLength(number) != number.size()) {
    return std::nullopt;
  }
  const std::optional<double> thickness = detail::parseNumber(number);
  if (!thickness) return std::nullopt;
  layer.thickness = *thickness;
  return layer;
}

std::string materialCaption(std::string_view key) {
  if (key.size() > 2) {
    std::string upper;
    for (char c : key) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
  }
  std::string element(key);
  if (!element.empty()) element[0] = static_cast<char>(std::toupper(element[0]));
  return element;
}

std::string layerCaption(const AddedLayer& layer) {
  return materialCaption(layer.material) + " " + ShortestText(layer.thickness) + " mm";
}

std::string filtersCaption(const AddedLayers& layers) {
  std::string caption;
  for (const AddedLayer& filter : layers.filters) {
    if (filter.thickness == 0) continue;
    if (!caption.empty()) caption += ", ";
    caption += layerCaption(filter);
  }
  return caption;
}

std::string plateCaption(const AddedLayers& layers) {
  return layers.plate && layers.plate->thickness != 0 ? layerCaption(*layers.plate) : "";
}

}  // namespace palvane
