#pragma once

#include <optional>
#include <vector>

#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/shared_state.h"

namespace palvane {

// A layer beyond the tube's filters as the model crosses it: its attenuation per cm by bin
// and its thickness in cm.
struct LayerColumn {
  const BinArray* mu = nullptr;
  double thickness = 0.0;
};

// Added filters, crossed as the molybdenum and rhodium filters are, and the compression
// plate, crossed along the whole oblique path r t by the whole spectrum at the point, the
// characteristic lines included. None by default.
struct ModelLayers {
  std::vector<LayerColumn> filters;
  std::optional<LayerColumn> plate;
};

// A thickness of the set-up, in mm, in the cm the model computes in.
inline double centimetres(double millimetres) { return millimetres * 0.1; }

// The model's photon spectrum at a point of the image plane for a molybdenum or a tungsten
// target, with the coefficient tables, Pi and (molybdenum) the stopping powers of `tables`,
// the nine settings of `setup` (its target, air layer and added layers are not read: the
// caller gives them) and an air layer of airPath cm between focal spot and image plane.
// Fills target (photons produced in the target, bins 2..N) and spectrum (photons per bin at
// the point; 0 outside bins 2..N) and returns N; nullopt, leaving both untouched, for
// settings the model cannot compute (see PointSpectrumOutcome::kOutsideModel). The
// point-spectrum routines are these with their own air layers.
std::optional<int> MolybdenumSpectrum(const ModelTables& tables, const TubeSetup& setup,
                                      const PointGeometry& geometry, double airPath,
                                      BinArray& target, BinArray& spectrum,
                                      const ModelLayers& layers = {});
std::optional<int> TungstenSpectrum(const ModelTables& tables, const TubeSetup& setup,
                                    const PointGeometry& geometry, double airPath, BinArray& target,
                                    BinArray& spectrum, const ModelLayers& layers = {});

// The product of exp(-mu(i) t scale) over the filters, for bins 2..N; exactly 1 elsewhere
// and where there are no filters, so that multiplying by it changes nothing then.
BinArray layersTransmission(const std::vector<LayerColumn>& layers, double scale, int N);

// The set-up's added layers of more than 0 mm with their columns of tables.Materials
// (which must hold them: see layersProblem), thicknesses in cm.
ModelLayers modelLayers(const ModelTables& tables, const TubeSetup& setup);

}  // namespace palvane
