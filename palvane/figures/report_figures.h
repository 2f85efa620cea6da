#pragma once

#include <vector>

#include "palvane/physics/report_set.h"

namespace palvane {

// The figures of a set, each as <stem>.png then <stem>.svg, in this order: the three maps
// (map_energy_fluence, map_air_kerma, map_hvl, with the points of the spectra marked),
// profiles, map_absolute_air_kerma (with a reference kerma) and spectra. The captions
// state the stamp and the run's settings; that of the spectra the beam-axis spectrum's own.
// A figure that could not be encoded has no bytes.
std::vector<SetFile> reportSetFigures(const ReportSetContents& contents);

}  // namespace palvane
