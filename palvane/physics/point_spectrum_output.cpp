#include <algorithm>
#include <cmath>

#include "palvane/physics/point_spectrum.h"
#include "palvane/physics/spectrum_file.h"
#include "palvane/state/shared_state.h"
#include "text_files/atomic_file.h"

namespace palvane {

namespace {

// The spectrum as the step curve of the spectrum form's graph: bin i is a horizontal
// segment 20 units wide at x = 1000 + 20 i, the normaliser at y = 100, zero at y = 2100.
void drawAxisSpectrum(DrawingSurface& graph, const BinArray& heights) {
  graph.setPenWidth(2);
  graph.point(1000.0, 2100.0, colours::kWhite);
  for (int i = 1; i <= kLastBin; ++i) {
    graph.lineTo(990.0 + 20.0 * i, heights[i], colours::kLightRed);
    graph.lineTo(1010.0 + 20.0 * i, heights[i], colours::kLightRed);
  }
  graph.setPenWidth(2);
  graph.line(1000.0, 2100.0, 6000.0, 2100.0, colours::kBlack);
}

// The spectrum as a polyline in percent of the beam-axis peak over the display form's
// spectrum graph (x in keV), then its frame again on top.
void drawPointSpectrum(DrawingSurface& graph, const BinArray& heights, Rgb colour) {
  graph.point(0.0, 0.0, colour);
  for (int i = 1; i <= kLastBin; ++i) graph.lineTo(0.2 * i, heights[i], colour);
  graph.rectangle(0.0, 0.0, 50.0, 120.0, graph.foreColour(), false);
}

}  // namespace

double largestBin(const BinArray& spectrum, int lastBin) {
  double peak = 0.0;
  for (int i = 2; i <= std::min(lastBin, kLastBin); ++i) {
    if (spectrum[i] > peak) peak = spectrum[i];
  }
  return peak;
}

PointSpectrumOutcome PointSpectrumOutput(int lastBin) {
  SharedState& shared = state();
  const bool onBeamAxis = shared.PointMode == 0;
  shared.SpectrumMax = onBeamAxis ? largestBin(shared.Spectrum, lastBin) : shared.AxisSpectrumMax;
  const double peak = shared.SpectrumMax;
  if (!(peak > 0.0)) return PointSpectrumOutcome::kNoNormaliser;

  // Graph heights, each checked so that neither the drawing nor the file gets an infinity.
  BinArray heights{};
  for (int i = 1; i <= kLastBin; ++i) {
    heights[i] = onBeamAxis ? 2100.0 - 2000.0 * shared.Spectrum[i] / peak
                            : 100.0 * shared.Spectrum[i] / peak;
    if (!std::isfinite(heights[i])) return PointSpectrumOutcome::kOutsideModel;
  }

  if (!onBeamAxis) {
    if (shared.ports.displayFormGraph != nullptr) {
      drawPointSpectrum(*shared.ports.displayFormGraph, heights, shared.ports.pointSpectrumColour);
    }
    return PointSpectrumOutcome::kDrawn;
  }
  if (shared.ports.spectrumFormGraph != nullptr) {
    drawAxisSpectrum(*shared.ports.spectrumFormGraph, heights);
  }
  replaceFileContents(kSpectrumFile, spectrumFileText(shared.Spectrum, peak));
  shared.AxisSpectrumMax = peak;
  return PointSpectrumOutcome::kDrawn;
}

}  // namespace palvane
