#include "palvane/state/results_loading.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <system_error>

#include "palvane/state/number_text.h"
#include "palvane/state/parameter_file_writer.h"

namespace palvane {

namespace {

// Written by the beam-axis spectrum run; named here too because the state library does
// not reach up into the physics library.
constexpr const char* kAxisSpectrumFile = "B_SPCTL.dat";

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

RunSettings readRunSettings(const std::filesystem::path& file) {
  FieldReader reader(file);
  RunSettings settings;
  settings.targetFlag = reader.next();
  settings.tubeVoltage = reader.next();
  settings.targetAngle = reader.next();
  settings.tiltAngle = reader.next();
  settings.beryllium = reader.next();
  settings.aluminium = reader.next();
  settings.molybdenum = reader.next();
  settings.rhodium = reader.next();
  return settings;
}

void readAxisSpectrum(const std::filesystem::path& file, EngineResults& results) {
  FieldReader reader(file);
  for (int bin = 1; bin <= kLastBin; ++bin) {
    reader.next();  // the bin's energy
    results.axisSpectrum[bin] = reader.next();
  }
  results.axisSpectrumMax = reader.next();
}

// One block of result.dat: 51 rows across the axis (outer), 76 values along it (inner).
void readMap(FieldReader& reader, FieldMap& map) {
  for (int j = 1; j <= kLastMapRow; ++j) {
    for (int i = 1; i <= kLastMapColumn; ++i) map[i][j] = reader.next();
  }
}

void readMaps(const std::filesystem::path& file, EngineResults& results) {
  FieldReader reader(file);
  results.referenceFluence = reader.next();
  readMap(reader, results.fluenceMap);
  results.referenceKerma = reader.next();
  readMap(reader, results.kermaMap);
  results.axisHvl = reader.next();
  readMap(reader, results.hvlMap);
}

}  // namespace

std::filesystem::path findIgnoringCase(const std::filesystem::path& directory,
                                       std::string_view name) {
  const std::filesystem::path searched = directory.empty() ? "." : directory;
  std::optional<std::filesystem::path> newest;
  std::filesystem::file_time_type newestTime;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(searched, error)) {
    if (!equalIgnoringCase(entry.path().filename().string(), name)) continue;
    std::error_code timeError;
    const auto written = entry.last_write_time(timeError);
    if (timeError) continue;
    if (!newest || written > newestTime) {
      newest = directory / entry.path().filename();
      newestTime = written;
    }
  }
  return newest.value_or(directory / name);
}

EngineResults LoadEngineResults(const std::filesystem::path& directory) {
  EngineResults results;
  results.settings = readRunSettings(directory / kParameterFile);
  readAxisSpectrum(directory / kAxisSpectrumFile, results);
  readMaps(findIgnoringCase(directory, kResultFile), results);
  return results;
}

void StoreEngineResults(const EngineResults& results) {
  SharedState& shared = state();
  shared.TargetType = targetTypeOf(results.settings.targetFlag);
  shared.AxisSpectrum = results.axisSpectrum;
  shared.AxisSpectrumMax = results.axisSpectrumMax;
  shared.FluenceMap = results.fluenceMap;
  shared.KermaMap = results.kermaMap;
  shared.AxisHvl = results.axisHvl;
  shared.HvlMap = results.hvlMap;
  shared.ReferenceFluence = results.referenceFluence;
  shared.ReferenceKerma = results.referenceKerma;
}

int targetTypeOf(double targetFlag) { return std::nearbyint(targetFlag) == 0.0 ? 0 : 1; }

}  // namespace palvane
