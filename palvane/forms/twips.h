#pragma once

#include <QRect>
#include <QWidget>

namespace palvane {

// Form layouts are given in twips; Qt's logical pixels already carry the screen's
// device-pixel ratio, so 15 twips make one logical pixel on every screen.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int twipsToPixels(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height) {
  return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// Places a control at its position and size given in twips (relative to its parent).
inline void placeAt(QWidget& control, int left, int top, int width, int height) {
  control.setGeometry(twipsRect(left, top, width, height));
}

// Fixes the size of a form's client area, given in twips; the window frame comes on top.
inline void setClientSize(QWidget& form, int width, int height) {
  form.setFixedSize(twipsToPixels(width), twipsToPixels(height));
}

}  // namespace palvane
