#pragma once

#include <optional>
#include <string>

#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/beam_quality.h"
#include "palvane/state/shared_state.h"
#include "text_files/tube_setup.h"

namespace palvane {

// A point of the image plane in cm: x along the anode-cathode axis toward the heel, y
// across it (palvane's PointX and PointY).
struct ImagePoint {
  double x = 0.0;
  double y = 0.0;
};

// palvane's model spectrum at one point.
struct ModelSpectrum {
  BinArray target{};   // photons produced in the target, bins 2..N
  BinArray photons{};  // photons per bin at the point; 0 outside bins 2..N but for the lines
  int lastBin = 0;     // N, the highest bin the model filled
};

// The geometry of the point; (0, 0) is exactly the beam axis's (0, 1, 1).
PointGeometry geometryAt(ImagePoint point, double pi);

// The spectrum of palvane's double-precision model for the set-up's target at the point,
// through the set-up's air layer and its added layers. nullopt for settings or a point the
// model cannot compute (see MolybdenumSpectrum) and for layers it cannot compute with
// (layersProblem). A pure function of its arguments.
std::optional<ModelSpectrum> pointSpectrum(const ModelTables& tables, const TubeSetup& setup,
                                           ImagePoint point);

// What keeps the set-up's added layers from being computed with the tables: no
// Materials.dat (its problem), a material it lacks, a layer out of range; nullopt when
// nothing does or there are none.
std::optional<std::string> layersProblem(const ModelTables& tables, const TubeSetup& setup);

// The beam quality of a model spectrum (computeBeamQuality with the tables' aluminium
// attenuation and air energy absorption).
std::optional<BeamQuality> beamQuality(const ModelTables& tables, const ModelSpectrum& spectrum);

}  // namespace palvane
