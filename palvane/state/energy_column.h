#pragma once

#include <filesystem>
#include <string_view>

namespace palvane {

// Checks that line i (from 1 to lastRow) of the coefficient table starts with the photon
// energy 0.2 * i keV, to within half a unit of the last digit printed. A duplicated,
// missing or swapped row, or a blank line in front, would shift every coefficient to the
// wrong energy. Throws FileError naming the file, the line and its first field otherwise.
// `text` may follow heading lines of the file: the messages count them in.
void checkEnergyColumn(const std::filesystem::path& file, std::string_view text, int lastRow,
                       int headingLines = 0);

}  // namespace palvane
