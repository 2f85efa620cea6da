#pragma once

#include <string>

#include "engine/beam_parameters.h"
#include "engine/coefficient_table.h"

namespace engine {

// The error message for settings and a table that give a beam-axis spectrum without a
// defined air kerma or HVL, naming the input at fault: a column of MUs3.dat that cannot give
// a defined spectrum over the bins 2..N of the tube voltage (no air energy absorption, no
// aluminium attenuation, or a layer of a thickness the model is made for that absorbs every
// photon), a layer thicker than the model is made for (its line of B2F.dat), and otherwise
// the settings as a whole (lines 2 to 9 of B2F.dat).
std::string undefinedReferenceError(const BeamParameters& parameters,
                                    const CoefficientTable& table);

}  // namespace engine
