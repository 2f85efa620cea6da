#pragma once

#include "palvane/state/form_ports.h"

namespace palvane {

// The scale of the spectrum form's graph: energy E keV at x = 1000 + 100 E, a relative
// value r at y = 2100 - 2000 r, y downward.
inline constexpr double kSpectrumGraphLeft = 0.0;
inline constexpr double kSpectrumGraphTop = 0.0;
inline constexpr double kSpectrumGraphWidth = 6250.0;
inline constexpr double kSpectrumGraphHeight = 2500.0;

// The scale of the display form's spectrum graph: x in keV, y in percent, y upward.
inline constexpr double kAxisSpectrumGraphLeft = -10.0;
inline constexpr double kAxisSpectrumGraphTop = 122.0;
inline constexpr double kAxisSpectrumGraphWidth = 62.0;
inline constexpr double kAxisSpectrumGraphHeight = -130.0;

// Draws the empty spectrum graph (grid, tick labels, captions, frame) without clearing
// the surface first; leaves the pen width at 2.
void SpectrumAxes(DrawingSurface& graph);

// Rewrites the y caption once the spectrum form has been loaded: a white box over its
// lower two lines, then "Photon" and "Fluence" again.
void drawLoadTimeCaption(DrawingSurface& graph);

// Draws the display form's spectrum graph with the relative beam-axis spectrum
// (AxisSpectrum of the shared state) as a red polygon, without clearing the surface.
void AxisSpectrumPlot(DrawingSurface& graph);

}  // namespace palvane
