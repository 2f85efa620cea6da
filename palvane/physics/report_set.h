#pragma once

#include <string>
#include <vector>

#include "palvane/physics/exports.h"

namespace palvane {

// One saved set: a folder of its own holding the figures and data files of a study.

// The folder name of a set saved at `stamp` (date and time, "2026-12-08_1432") with the
// settings of the run: 2026-12-08_1432_Mo_30kV_th10_ph4. Throws ExportError for a
// setting that is not finite.
std::string setFolderName(const std::string& stamp, const ExportSettings& settings);

// README.txt of a set: what each file is, and the calibration state of the stamp. The
// spectrum files are named in the order given; the absolute air-kerma map is named when the
// set has it. CR LF line ends.
std::string setReadme(const ExportStamp& stamp, const std::vector<std::string>& spectrumFiles,
                      bool withAbsoluteKerma = false);

}  // namespace palvane
