#pragma once

#include <string>

#include "engine/beam_parameters.h"
#include "engine/bins.h"
#include "engine/point_quantities.h"
#include "engine/relative_maps.h"

namespace engine {

// Beam_Axis.dat, 264 records ended by CR LF: the settings (thicknesses echoed as the held
// cm value * 10 in single precision), 250 spectrum records of energy and P(i)/peak, then
// peak, photon fluence, energy fluence, air kerma and HVL. A relative value that is not
// finite (peak 0) is written as 0. Added layers follow, one record each ("filter ag  .050",
// "plate pmma 2.400"); without them the file is those 264 records.
std::string beamAxisText(const BeamParameters& parameters, const Spectrum& pointSpectrum,
                         const PointQuantities& quantities);

// Result.dat, 156 records ended by CR LF: for energy fluence, air kerma and HVL in turn,
// the reference value (E11.5) and 51 rows, one per Y, of 76 values (76E11.4), X varying
// along the row.
std::string resultText(const RelativeMaps& maps);

}  // namespace engine
