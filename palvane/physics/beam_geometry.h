#pragma once

#include <optional>

#include "palvane/state/shared_state.h"

namespace palvane {

// Where the spectrum is computed, seen from the focal spot 65 cm above the image plane.
struct PointGeometry {
  double offAxisAngle = 0.0;   // alpha: degrees toward the heel, from the x coordinate only
  double obliquePath = 1.0;    // r: path through a flat filter per unit of its thickness
  double inverseSquare = 1.0;  // w: intensity relative to the beam axis
};

// The geometry of the point chosen by PointMode. On the beam axis (PointMode 0) PointX
// and PointY are set to 0 and the geometry is exactly (0, 1, 1).
PointGeometry pointGeometry(SharedState& shared);

// The off-axis angle alpha in degrees toward the heel of a point x cm along the
// anode-cathode axis, with the shared Pi.
double offAxisAngle(double x, double pi);

// Whether a point x cm along the anode-cathode axis lies where the target model has no
// value (at or beyond the heel cut-off, or too far off the tilt) for target angle theta
// and tilt phi in degrees.
bool beyondHeelCutOff(double x, double theta, double phi, double pi);

// Electron path factor G of the target for off-axis angle alpha, tilt phi and target
// angle theta in degrees, with the shared Pi. nullopt where the model has no value: at or
// beyond the heel cut-off (tan theta <= tan beta) or with |beta| above 45 degrees.
std::optional<double> PathFactor(double alpha, double phi, double theta, double pi);

// Thomson-Whiddington constant C in keV^2 cm^2/g for a tube voltage V in kV.
double ThomsonWhiddingtonConstant(double V);

}  // namespace palvane
