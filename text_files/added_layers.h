#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace palvane {

// A layer beyond the nine settings: an added filter, placed with the tube's molybdenum and
// rhodium filters, or the compression plate, between the tube and the image plane. Its
// material is a key of Materials.dat ("ag", "pmma", ...), its thickness in mm; a layer of
// 0 mm is absent.
struct AddedLayer {
  std::string material;
  double thickness = 0;  // mm
  friend bool operator==(const AddedLayer&, const AddedLayer&) = default;
};

// The added layers of a run: filters in the order crossed, and the plate.
struct AddedLayers {
  std::vector<AddedLayer> filters;
  std::optional<AddedLayer> plate;
  friend bool operator==(const AddedLayers&, const AddedLayers&) = default;
};

// "Ag 0.05 mm, Al 0.5 mm" and "PMMA 2.4 mm": the layers of more than 0 mm for captions and
// settings lines; "" for none.
std::string filtersCaption(const AddedLayers& layers);
std::string plateCaption(const AddedLayers& layers);

// The thickest layers the model takes, mm (the engines hold the same bounds).
inline constexpr double kThickestAddedFilter = 10;
inline constexpr double kThickestPlate = 10;

// B2F.dat's lines for added layers, after the ninth: "filter ag 00.050", "plate pmma 02.400".
inline constexpr std::string_view kFilterKeyword = "filter";
inline constexpr std::string_view kPlateKeyword = "plate";
inline constexpr std::string_view kLayerFilePattern = "00.000";
// The materials a compression plate is made of.
inline constexpr std::string_view kPlateMaterials[] = {"pmma", "pc"};

// The layer as its B2F.dat line without the line end: "filter ag 00.050".
std::string addedLayerLine(std::string_view keyword, const AddedLayer& layer);

// What is wrong with a layer, naming it ("filter ag -1 mm: ..."): a material that is no
// key (lower-case letters and digits), a thickness outside 0 to `thickest` mm or not a
// number; nullopt when nothing is.
std::optional<std::string> addedLayerProblem(std::string_view keyword, const AddedLayer& layer,
                                             double thickest);

// "ag:0.05" as a layer; nullopt when the text is not a material key, a colon and a number.
std::optional<AddedLayer> parseLayerEntry(std::string_view text);

// The layer for captions and settings lines: "Ag 0.05 mm", "PMMA 2.4 mm" (shortest number).
std::string layerCaption(const AddedLayer& layer);

// A material key as a caption shows it: "Ag", "Cu", "PMMA", "PC".
std::string materialCaption(std::string_view key);

}  // namespace palvane
