#pragma once

#include <QSize>

class QWidget;

namespace palvane {

// Room the window manager takes around a window's client area: the side borders
// across, the title bar and the bottom border down (logical pixels).
inline constexpr int kFrameAllowanceAcross = 16;
inline constexpr int kFrameAllowanceDown = 40;

// The factor by which a window with the given client size must be shrunk so that it and
// its frame fit into the available area of a screen (both in logical pixels); 1 when it
// fits as it is.
double screenFitFactor(QSize clientSize, QSize availableArea);

// Shows a window that is too large for its screen shrunk as a whole: the positions and
// sizes of its controls, their fonts and icons by one factor. Drawing surfaces keep their
// user scales, so what they show and where the mouse points stay the same in their units.
// Call it once the controls are placed and before anything is drawn. A window that fits is
// left exactly as it is.
void fitToScreen(QWidget& window);

}  // namespace palvane
