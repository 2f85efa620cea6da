#pragma once

#include "palvane/state/form_ports.h"
#include "palvane/state/shared_state.h"

namespace palvane {

// The map and profile of the display form. Map and profile share one x scale: 4 units
// per 2 mm cell, x = 0..300 for X = 0..150 mm; the map's y runs the same way across the
// axis, mirrored below it.

// Colour of a relative value: RGB(255, c, c) with c = 612 - 510 v limited to 0..255, so
// 0.7 and below is white, 1.0 is (255, 102, 102) and 1.2 and above is pure red.
Rgb mapCellColour(double relativeValue);

// Map column A under abscissa x: floor(x / 4) + 1, kept within 1..76.
int mapColumnAt(double x);
// Map row B under ordinate y (either side of the axis): |floor(y / 4) + 1|, where 0 counts
// as 1, kept within 1..51.
int mapRowAt(double y);

// The labelled ticks of the colour bar: tick t = 0..10 at height 25.5 t of its scale,
// labelled 70 + 5 t (percent).
inline constexpr int kColourBarTicks = 11;
inline constexpr double colourBarTickHeight(int tick) { return 25.5 * tick; }
inline constexpr int colourBarTickPercent(int tick) { return 70 + 5 * tick; }

// The colour scale from 70 % (k = 0) to 120 % (k = 255) with 11 ticks and the yellow
// 100 % mark at k = 153.
void drawColourBar(DrawingSurface& bar);

// The 76 x 51 cells of the map, mirrored about the X axis, and the yellow reference mark.
void drawMap(DrawingSurface& picture, const FieldMap& map);

// The grid, frame and 100 % line of the profile and the row j = 1 of the map in percent.
void drawProfile(DrawingSurface& picture, const FieldMap& map);

}  // namespace palvane
