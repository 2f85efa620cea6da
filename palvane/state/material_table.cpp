#include "palvane/state/material_table.h"

#include <sstream>
#include <string_view>
#include <vector>

#include "palvane/state/energy_column.h"
#include "text_files/file_error.h"
#include "text_files/input_file.h"
#include "text_files/number_text.h"

namespace palvane {

MaterialColumns readMaterialColumns(const std::filesystem::path& file) {
  return readMaterialColumns(file, readInputFile(file));
}

MaterialColumns readMaterialColumns(const std::filesystem::path& file, const std::string& text) {
  const std::string name = file.filename().string();
  const std::size_t headingEnd = text.find('\n');
  std::istringstream heading(text.substr(0, headingEnd));
  std::vector<std::string> keys;
  for (std::string word; heading >> word;) keys.push_back(word);
  if (keys.size() < 2 || keys.front() != "keV") {
    throw FileError(name + ", line 1: the heading must name \"keV\" and one material per column");
  }
  keys.erase(keys.begin());
  const std::string values = headingEnd == std::string::npos ? "" : text.substr(headingEnd + 1);
  checkEnergyColumn(file, values, kLastBin, 1);
  FieldReader reader(name, values);
  MaterialColumns columns;
  for (const std::string& key : keys) columns[key];
  for (int bin = 1; bin <= kLastBin; ++bin) {
    reader.next();  // photon energy of the row
    for (const std::string& key : keys) columns[key][bin] = reader.next();
  }
  return columns;
}

}  // namespace palvane
