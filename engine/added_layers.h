#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "engine/beam_parameters.h"
#include "engine/coefficient_table.h"

namespace engine {

// Lines after the ninth of B2F.dat: "filter ag 00.050" or "plate pmma 02.400", a keyword,
// a material of Materials.dat and a thickness in mm.
inline constexpr std::string_view kFilterKeyword = "filter";
inline constexpr std::string_view kPlateKeyword = "plate";
inline constexpr const char* kMaterialTableFile = "Materials.dat";

// Materials.dat: the attenuation coefficients per cm of each material by its key.
using MaterialTable = std::map<std::string, BinColumn, std::less<>>;

// Reads one line after the ninth value of B2F.dat (a line the nine reads never reach): a
// blank line is passed over, any other must be a keyword, a material key and a thickness
// from 0 to the thickest the model is made for (a layer of 0 mm is left out, as absent);
// a second plate is refused. Throws
// InputError naming the file and line.
void readAddedLayer(std::string_view record, int line, const std::string& fileName,
                    BeamParameters& parameters);

// Reads Materials.dat: a heading ("keV" and one key per column), then 250 records of the
// form (E9.3,nE13.5), column 1 giving 0.2 keV times the record's bin. Throws InputError
// naming the file, line and field.
MaterialTable readMaterialTable(const std::filesystem::path& file);
MaterialTable readMaterialTableText(std::string text, std::string fileName);

// Whether the parameters name any added layer (and so need Materials.dat).
bool hasAddedLayers(const BeamParameters& parameters);

// Fills the coefficients of every added layer from the table. Throws InputError naming
// the line of B2F.dat whose material the table lacks.
void resolveMaterials(BeamParameters& parameters, const MaterialTable& table);

}  // namespace engine
