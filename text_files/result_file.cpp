#include "text_files/result_file.h"

#include <utility>

#include "text_files/number_text.h"

namespace palvane {

namespace {

void readMap(FieldReader& reader, FieldMap& map) {
  for (int j = 1; j <= kLastMapRow; ++j) {
    for (int i = 1; i <= kLastMapColumn; ++i) map[i][j] = reader.next();
  }
}

ResultMaps readBlocks(FieldReader& reader) {
  ResultMaps maps;
  maps.referenceEnergyFluence = reader.next();
  readMap(reader, maps.fluenceMap);
  maps.referenceAirKerma = reader.next();
  readMap(reader, maps.kermaMap);
  maps.axisHvl = reader.next();
  readMap(reader, maps.hvlMap);
  return maps;
}

}  // namespace

ResultMaps readResultMaps(const std::filesystem::path& file) {
  FieldReader reader(file);
  return readBlocks(reader);
}

ResultMaps readResultMaps(std::string fileName, std::string text) {
  FieldReader reader(std::move(fileName), std::move(text));
  return readBlocks(reader);
}

}  // namespace palvane
