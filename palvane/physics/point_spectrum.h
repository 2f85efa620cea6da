#pragma once

#include "palvane/state/shared_state.h"
#include "text_files/tube_setup.h"

namespace palvane {

// What a point-spectrum run did. Only kDrawn draws; on the beam axis only kDrawn writes
// B_SPCTL.dat and changes AxisSpectrumMax.
enum class PointSpectrumOutcome {
  kDrawn,
  // No positive normaliser: the beam-axis spectrum has no positive bin, or no beam-axis
  // peak is known for a picked point.
  kNoNormaliser,
  // Settings the model cannot compute: tube voltage of 50.2 kV or more, a stopping-power
  // table that does not cover 1 keV to the tube voltage, a point at or beyond the heel
  // cut-off or 45 degrees off the tilt, or a result that overflows.
  kOutsideModel,
};

// The air layer in cm that each routine's spectrum crosses: each has its own constant.
inline constexpr double kMolybdenumAirLayer = 50.0;
inline constexpr double kTungstenAirLayer = 60.0;
inline constexpr double pointSpectrumAirLayer(int targetType) {
  return targetType == 0 ? kMolybdenumAirLayer : kTungstenAirLayer;
}

// The photon spectrum at the point chosen by PointMode (0: the beam axis; otherwise
// (PointX, PointY) in cm) for a molybdenum or a tungsten target, from the parameter texts
// of the spectrum form and the loaded tables, followed by PointSpectrumOutput. The
// tungsten routine first clamps the tube-voltage text to 15..50 kV.
// Throws FileError when B_SPCTL.dat cannot be written.
PointSpectrumOutcome ComputePointSpectrumMo();
PointSpectrumOutcome ComputePointSpectrumW();

// The adapter both routines share: the model spectrum (pointSpectrum) of the spectrum
// form's settings for the target through airLayer cm of air, at the point PointMode
// chooses, into TargetSpectrum and Spectrum, then PointSpectrumOutput.
PointSpectrumOutcome PointSpectrumOfForm(Target target, double airLayer);

// The peak a beam-axis spectrum is normalised to: its largest bin from 2 to lastBin (and
// 250), or 0.
double largestBin(const BinArray& spectrum, int lastBin);

// Normalises Spectrum and draws it; on the beam axis also writes B_SPCTL.dat to the
// working directory and keeps the peak in AxisSpectrumMax. lastBin is the highest bin the
// spectrum model filled (N = 5 * tube voltage, rounded down).
PointSpectrumOutcome PointSpectrumOutput(int lastBin);

}  // namespace palvane
