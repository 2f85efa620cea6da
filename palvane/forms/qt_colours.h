#pragma once

#include <QColor>

#include "palvane/state/form_ports.h"

namespace palvane {

inline QColor toQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

inline Rgb toRgb(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

}  // namespace palvane
