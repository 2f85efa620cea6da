#pragma once

#include <filesystem>
#include <string_view>

#include "palvane/state/shared_state.h"
#include "text_files/number_text.h"
#include "text_files/parameter_file.h"
#include "text_files/result_file.h"

namespace palvane {

inline constexpr const char* kResultFile = "result.dat";

// Everything the results button reads: B2F.dat, B_SPCTL.dat and result.dat.
struct EngineResults {
  TubeSetup settings;       // as read back from B2F.dat
  BinArray axisSpectrum{};  // relative, peak = 1
  double axisSpectrumMax = 0.0;
  ResultMaps maps;  // result.dat: the three reference values and their maps
};

// The file of that name in the directory, its letter case ignored, so that the engines'
// Result.dat is found as result.dat. When several names match, the most recently written
// file wins (it is the one the last run wrote); when none does, directory / name.
std::filesystem::path findIgnoringCase(const std::filesystem::path& directory,
                                       std::string_view name);

// The values of B_SPCTL.dat from its reader: per bin 1..250 the energy, which is skipped,
// and the spectrum relative to its peak; then the peak.
void readAxisSpectrum(FieldReader& reader, BinArray& spectrum, double& peak);

// Reads the three files of the directory (the working directory when empty) completely.
// Throws FileError naming the file that is missing, short or holds a field that is not a
// number.
EngineResults LoadEngineResults(const std::filesystem::path& directory = {});

// Copies the results into the shared state: TargetType, AxisSpectrum, AxisSpectrumMax,
// FluenceMap, KermaMap, AxisHvl, HvlMap and the two other reference values.
void StoreEngineResults(const EngineResults& results);

}  // namespace palvane
