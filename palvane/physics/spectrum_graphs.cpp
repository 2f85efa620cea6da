#include "palvane/physics/spectrum_graphs.h"

#include "palvane/state/shared_state.h"

namespace palvane {

void SpectrumAxes(DrawingSurface& graph) {
  graph.setPenWidth(1);
  for (int x = 1200; x <= 5800; x += 200) graph.line(x, 100, x, 2100, colours::kGrey);
  for (int x = 2000; x <= 5000; x += 1000) graph.line(x, 100, x, 2100, colours::kBlack);
  for (int y = 300; y <= 1900; y += 200) graph.line(1000, y, 6000, y, colours::kGrey);
  graph.line(1000, 1100, 6000, 1100, graph.foreColour());

  graph.text(950, 2120, "0");
  graph.text(1900, 2120, "10");
  graph.text(2900, 2120, "20");
  graph.text(3900, 2120, "30");
  graph.text(4900, 2120, "40");
  graph.text(5900, 2120, "50");
  graph.text(4250, 2250, "Photon energy in keV");
  graph.text(280, 500, "Relative");
  graph.text(280, 700, "Photon");
  graph.text(280, 900, "Fluence");

  graph.setPenWidth(2);
  graph.rectangle(1000, 100, 6000, 2100, colours::kBlack, false);
}

void drawLoadTimeCaption(DrawingSurface& graph) {
  graph.rectangle(0, 690, 980, 1100, colours::kWhite, true);
  graph.text(280, 700, "Photon");
  graph.text(280, 900, "Fluence");
}

void AxisSpectrumPlot(DrawingSurface& graph) {
  graph.setPenWidth(1);
  for (int x = 10; x <= 50; x += 5) graph.line(x, 0, x, 120, colours::kGrey);
  for (int y = 10; y <= 110; y += 10) graph.line(0, y, 50, y, colours::kGrey);

  graph.setPenWidth(2);
  graph.line(0, 100, 50, 100, graph.foreColour());

  graph.text(-4, 103, "1.0");
  graph.text(-2, 4, "0");
  graph.text(-10, 90, "Relative");
  graph.text(-10, 80, "Fluence");
  graph.text(0, 0, "0");
  graph.text(24, 0, "25");
  graph.text(48, 0, "50");
  graph.text(35, 0, "keV");

  graph.point(0, 0, colours::kRed);
  const BinArray& axisSpectrum = state().AxisSpectrum;
  for (int i = 1; i <= kLastBin; ++i) graph.lineTo(0.2 * i, 100.0 * axisSpectrum[i], colours::kRed);

  graph.rectangle(0, 0, 50, 120, graph.foreColour(), false);

  graph.setForeColour(colours::kRed);
  graph.text(28, 111, "at beam axis");
  // The button-text colour of the desktop, which is black.
  graph.setForeColour(colours::kBlack);
}

}  // namespace palvane
