#pragma once

#include "tube_model/field.h"

namespace tube_model {

// The beam quality of a point spectrum, from the engines' model.
struct BeamQuality {
  double meanEnergy = 0;        // photon-number weighted mean photon energy, keV
  double firstHvl = 0;          // aluminium that halves the air kerma, mm (the engines' HVL)
  double secondHvl = 0;         // further aluminium from 50 % to 25 % of the air kerma, mm
  double homogeneity = 0;       // firstHvl / secondHvl
  double relativeAirKerma = 0;  // air kerma relative to the beam axis of the same set-up
};

// The spectrum at one point of the image plane and what follows from it.
struct PointResult {
  double x = 0;          // mm along the anode-cathode axis, toward the heel
  double y = 0;          // mm across it
  BinValues spectrum{};  // photons per bin (single precision, table units)
  int highestBin = 0;    // N = trunc(5 kV): bins 2..N carry radiation
  PointSums sums;
  BeamQuality quality;
};

// The engines' point spectrum at (x, y) in mm, anywhere before the heel cut-off, for the
// set-up, with its beam quality. At a grid point it is the spectrum the engine computes
// there, so its energy fluence, air kerma and HVL relative to the beam axis are the map
// values of computeField, float for float. Throws ModelError as computeField does, and for
// a point at or beyond the heel cut-off or without a defined HVL or quarter-value layer.
// Thread-safe.
PointResult pointSpectrum(const palvane::TubeSetup& setup, const Tables& tables, double xMm,
                          double yMm);

}  // namespace tube_model
