#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "palvane/physics/distribution_map.h"
#include "palvane/physics/spectrum_graphs.h"
#include "palvane/state/shared_state.h"
#include "palvane_physics/fake_ports.h"

namespace palvane {
namespace {

using Kind = RecordingSurface::Kind;

std::vector<RecordingSurface::Call> callsOf(const RecordingSurface& surface, Kind kind) {
  std::vector<RecordingSurface::Call> found;
  for (const auto& call : surface.calls) {
    if (call.kind == kind) found.push_back(call);
  }
  return found;
}

TEST(DistributionMap, ColoursAndCellsFollowTheScale) {
  // c = 612 - 510 v, limited to 0..255.
  EXPECT_EQ(mapCellColour(0.5), (Rgb{255, 255, 255}));
  EXPECT_EQ(mapCellColour(0.7), (Rgb{255, 255, 255}));
  EXPECT_EQ(mapCellColour(1.0), (Rgb{255, 102, 102}));
  EXPECT_EQ(mapCellColour(1.1), (Rgb{255, 51, 51}));
  EXPECT_EQ(mapCellColour(1.3), (Rgb{255, 0, 0}));
  EXPECT_EQ(mapCellColour(NAN), (Rgb{255, 0, 0}));
  // Four units per cell, columns 1..76 and rows 1..51, rows the same either side.
  EXPECT_EQ(mapColumnAt(0), 1);
  EXPECT_EQ(mapColumnAt(3.9), 1);
  EXPECT_EQ(mapColumnAt(4), 2);
  EXPECT_EQ(mapColumnAt(-5), 1);
  EXPECT_EQ(mapColumnAt(1000), 76);
  EXPECT_EQ(mapRowAt(-0.5), 1);
  EXPECT_EQ(mapRowAt(-8.5), 2);
  EXPECT_EQ(mapRowAt(8.5), 3);
  EXPECT_EQ(mapRowAt(-1000), 51);
}

TEST(DistributionMap, MapIsMirroredAndProfileFollowsTheAxisRow) {
  FieldMap map{};
  map[1][1] = 1.0;
  map[2][1] = 0.95;
  map[76][51] = 1.2;
  RecordingSurface picture;
  drawMap(picture, map);
  const auto cells = callsOf(picture, Kind::kRectangle);
  ASSERT_EQ(cells.size(), 76u * 51u * 2u + 1u);
  const auto expectCell = [](const RecordingSurface::Call& cell, double x1, double y1, double x2,
                             double y2, Rgb colour) {
    EXPECT_EQ(cell.x1, x1);
    EXPECT_EQ(cell.y1, y1);
    EXPECT_EQ(cell.x2, x2);
    EXPECT_EQ(cell.y2, y2);
    EXPECT_EQ(cell.colour, colour);
    EXPECT_EQ(cell.width, 1);  // filled
  };
  expectCell(cells[0], -2, 0, 2, 4, Rgb{255, 102, 102});
  expectCell(cells[1], -2, 0, 2, -4, Rgb{255, 102, 102});
  expectCell(cells[cells.size() - 3], 298, 200, 302, 204, colours::kRed);
  expectCell(cells.back(), -1, -2, 1, 2, colours::kYellow);

  RecordingSurface profile;
  drawProfile(profile, map);
  const auto curve = callsOf(profile, Kind::kLineTo);
  ASSERT_EQ(curve.size(), 76u);
  EXPECT_EQ(curve[0].x2, 0);
  EXPECT_EQ(curve[0].y2, 100);
  EXPECT_EQ(curve[1].x2, 4);
  EXPECT_DOUBLE_EQ(curve[1].y2, 95);
  EXPECT_EQ(curve[75].x2, 300);
  EXPECT_EQ(curve[75].y2, 0);
}

TEST(SpectrumGraphs, AxisSpectrumIsARedCurveInPercentOverKeV) {
  BinArray& spectrum = state().AxisSpectrum;
  spectrum.fill(0.0);
  spectrum[100] = 0.5;  // 20 keV at half the peak
  RecordingSurface graph;
  AxisSpectrumPlot(graph);
  const auto curve = callsOf(graph, Kind::kLineTo);
  ASSERT_EQ(curve.size(), 250u);
  EXPECT_DOUBLE_EQ(curve[99].x2, 20.0);
  EXPECT_EQ(curve[99].y2, 50.0);
  EXPECT_EQ(curve[98].y2, 0.0);
  EXPECT_DOUBLE_EQ(curve[249].x2, 50.0);
  for (const auto& call : curve) EXPECT_EQ(call.colour, colours::kRed);
  EXPECT_EQ(graph.foreColour(), colours::kBlack);
}

}  // namespace
}  // namespace palvane
