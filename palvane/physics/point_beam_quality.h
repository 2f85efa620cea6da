#pragma once

#include <optional>
#include <string>
#include <vector>

#include "palvane/physics/beam_quality.h"

namespace palvane {

// The beam quality of the last computed point spectrum (Spectrum of the shared state):
// air kerma weighted by MuEnAir, attenuated by the aluminium of MuAl.
std::optional<BeamQuality> PointBeamQuality();

// The air kerma of the beam-axis spectrum of the current target and settings, the
// reference of a picked point's relative air kerma; nullopt when none is known.
std::optional<double> PointBeamQualityReference();

// The read-out lines of the last computed point spectrum (beamQualityLines). A beam-axis
// spectrum (PointMode 0) becomes the reference of the relative air kerma, together with
// the target and the settings it was computed with; a picked point shows its air kerma
// relative to that reference only when both are the same, since a reference of other
// settings would compare two different beams. Call it after a drawn point spectrum.
std::vector<std::string> PointBeamQualityReadout();

}  // namespace palvane
