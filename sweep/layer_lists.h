#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/added_layers.h"
#include "text_files/added_layers.h"

namespace sweep {

// The added filters of one combination, in the order they are crossed.
using FilterStack = std::vector<palvane::AddedLayer>;

// --filter: comma-separated alternatives, each "none" or layers joined by "+", each layer
// MATERIAL:MM ("ag:0.05", "none,ag:0.05,al:0.7", "ag:0.05+al:0.5"). Throws UsageError
// naming the option and the item.
std::vector<FilterStack> parseFilterList(const std::string& text);

// --plate: comma-separated alternatives, each "none" or MATERIAL:MM of PMMA or
// polycarbonate ("pmma:2.4", "none,pmma:2.4,pc:3").
std::vector<std::optional<palvane::AddedLayer>> parsePlateList(const std::string& text);

// The layers as a table cell: "ag:0.05+al:0.5", "" for none.
std::string layersCell(const FilterStack& filters);

// Throws std::runtime_error naming the option and material when the table lacks a material
// of the lists.
void checkMaterials(const std::vector<FilterStack>& filters,
                    const std::vector<std::optional<palvane::AddedLayer>>& plates,
                    const engine::MaterialTable& table);

}  // namespace sweep
