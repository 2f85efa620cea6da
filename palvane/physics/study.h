#pragma once

#include <string>
#include <vector>

#include "palvane/physics/exports.h"
#include "text_files/tube_setup.h"

namespace palvane {

// The engine run the display form shows, handed to it by the spectrum form: its settings
// as B2F.dat gives them back. Its maps and beam-axis spectrum are in the shared state.
struct Study {
  TubeSetup settings;
};

// The settings as the exports state them.
ExportSettings exportSettingsOf(const Study& study);

// The display form's settings panel, one text per line, the first one empty:
// "   Target : Molybdenum", "   Tube Voltage : 30 kV", ...
std::vector<std::string> runSettingsLines(const Study& study);

}  // namespace palvane
