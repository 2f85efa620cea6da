#include "palvane/state/results_loading.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <system_error>

#include "text_files/number_text.h"
#include "text_files/result_file.h"

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

}  // namespace

void readAxisSpectrum(FieldReader& reader, BinArray& spectrum, double& peak) {
  for (int bin = 1; bin <= kLastBin; ++bin) {
    reader.next();  // the bin's energy
    spectrum[bin] = reader.next();
  }
  peak = reader.next();
}

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
  results.settings = readParameterFile(directory / kParameterFile);
  FieldReader axisSpectrum(directory / kAxisSpectrumFile);
  readAxisSpectrum(axisSpectrum, results.axisSpectrum, results.axisSpectrumMax);
  results.maps = readResultMaps(findIgnoringCase(directory, kResultFile));
  return results;
}

void StoreEngineResults(const EngineResults& results) {
  SharedState& shared = state();
  shared.TargetType = targetFlag(results.settings.target);
  shared.AxisSpectrum = results.axisSpectrum;
  shared.AxisSpectrumMax = results.axisSpectrumMax;
  shared.FluenceMap = results.maps.fluenceMap;
  shared.KermaMap = results.maps.kermaMap;
  shared.AxisHvl = results.maps.axisHvl;
  shared.HvlMap = results.maps.hvlMap;
  shared.ReferenceFluence = results.maps.referenceEnergyFluence;
  shared.ReferenceKerma = results.maps.referenceAirKerma;
}

}  // namespace palvane
