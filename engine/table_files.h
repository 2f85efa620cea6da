#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "engine/coefficient_table.h"

namespace engine {

inline constexpr std::string_view kEnergyMustAscend =
    "the electron energy must be positive and above the one of the line before";
inline constexpr std::string_view kEnergyMustFollowLine =
    " (line i of the table holds 0.2 * i keV)";
inline constexpr std::string_view kCoefficientNegative = "a coefficient must not be negative";
inline constexpr std::string_view kStoppingPowerMustBePositive =
    "the stopping power must be positive";

// Reads the 250 records of MUs3.dat, form (E9.3,9E13.5), into all seven used columns;
// columns 6 and 9 are read and dropped. Column 1 must give the line's photon energy,
// 0.2 keV times the line number, and no coefficient may be negative. Lines beyond 250 are not read.
// Throws InputError naming the file, and the line and field where there is one.
CoefficientTable readCoefficientTable(const std::filesystem::path& file);
// The same from the text of a MUs3.dat, named `fileName` in the messages.
CoefficientTable readCoefficientTableText(std::string text, std::string fileName);

// Reads the 20 records of Mo-STP.dat, form (F4.1,E12.3): electron energy in keV and
// stopping power. The energies must ascend and both values be positive, since the
// stopping power is interpolated on logarithms. Lines beyond 20 are not read.
StoppingPowerTable readStoppingPowerTable(const std::filesystem::path& file);
// The same from the text of a Mo-STP.dat, named `fileName` in the messages.
StoppingPowerTable readStoppingPowerTableText(std::string text, std::string fileName);

}  // namespace engine
