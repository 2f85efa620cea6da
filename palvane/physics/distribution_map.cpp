#include "palvane/physics/distribution_map.h"

#include <algorithm>
#include <cmath>

namespace palvane {

namespace {

constexpr double kCellUnits = 4.0;
constexpr double kProfileRight = 300.0;
constexpr double kProfileTop = 130.0;
constexpr double kColourBarSteps = 255.0;
constexpr double kColourBarTickStep = 25.5;
constexpr double kColourBarReference = 153.0;  // 100 %

std::uint8_t colourLevel(double level) { return static_cast<std::uint8_t>(std::nearbyint(level)); }

}  // namespace

Rgb mapCellColour(double relativeValue) {
  double level = 612.0 - 510.0 * relativeValue;
  if (!(level >= 0.0)) level = 0.0;  // also a value that is not a number: drawn red
  if (level > 255.0) level = 255.0;
  return {255, colourLevel(level), colourLevel(level)};
}

int mapColumnAt(double x) {
  const double column = std::floor(x / kCellUnits) + 1.0;
  return static_cast<int>(std::clamp(column, 1.0, static_cast<double>(kLastMapColumn)));
}

int mapRowAt(double y) {
  const double row = std::fabs(std::floor(y / kCellUnits) + 1.0);
  return static_cast<int>(std::clamp(row, 1.0, static_cast<double>(kLastMapRow)));
}

void drawColourBar(DrawingSurface& bar) {
  bar.clear();
  // The bar has a little more than one pixel per step: bands two pixels high leave no
  // unpainted rows between the steps.
  bar.setPenWidth(2);
  for (int k = 0; k <= 255; ++k) {
    const auto fade = static_cast<std::uint8_t>(255 - k);
    bar.line(0, k, 5, k, Rgb{255, fade, fade});
  }
  bar.setPenWidth(1);
  for (double k = 0.0; k <= kColourBarSteps; k += kColourBarTickStep) {
    bar.line(4, k, 6, k, bar.foreColour());
  }
  bar.line(0, kColourBarReference, 5, kColourBarReference, colours::kYellow);
}

void drawMap(DrawingSurface& picture, const FieldMap& map) {
  for (int j = 1; j <= kLastMapRow; ++j) {
    for (int i = 1; i <= kLastMapColumn; ++i) {
      const Rgb colour = mapCellColour(map[i][j]);
      const double left = kCellUnits * i - 6;
      const double right = kCellUnits * i - 2;
      const double rowStart = kCellUnits * j - 4;
      const double rowEnd = kCellUnits * j;
      picture.rectangle(left, rowStart, right, rowEnd, colour, true);
      picture.rectangle(left, -rowStart, right, -rowEnd, colour, true);
    }
  }
  picture.rectangle(-1, -2, 1, 2, colours::kYellow, true);
}

void drawProfile(DrawingSurface& picture, const FieldMap& map) {
  picture.setPenWidth(1);
  for (int x = 20; x <= 280; x += 20) picture.line(x, 0, x, kProfileTop, colours::kDarkGrey);
  for (int y = 10; y <= 120; y += 10) picture.line(0, y, kProfileRight, y, colours::kDarkGrey);

  picture.setPenWidth(2);
  const Rgb fore = picture.foreColour();
  picture.line(kProfileRight, 0, kProfileRight, kProfileTop, fore);
  picture.line(0, 100, kProfileRight, 100, fore);
  picture.rectangle(0, 0, kProfileRight, kProfileTop, fore, false);

  picture.point(0, 100 * map[1][1], colours::kLightRed);
  for (int i = 1; i <= kLastMapColumn; ++i) {
    picture.lineTo(kCellUnits * i - 4, 100 * map[i][1], colours::kLightRed);
  }
  picture.line(kProfileRight, 0, kProfileRight, 120, fore);
}

}  // namespace palvane
