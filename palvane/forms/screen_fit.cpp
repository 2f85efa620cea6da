#include "palvane/forms/screen_fit.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLayout>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace palvane {

namespace {

int scaledLength(int length, double factor) {
  return static_cast<int>(std::lround(length * factor));
}

// Scales the edges rather than the sizes, so that controls that meet still meet.
QRect scaledRect(const QRect& rect, double factor) {
  const int left = scaledLength(rect.left(), factor);
  const int top = scaledLength(rect.top(), factor);
  return {left, top, scaledLength(rect.left() + rect.width(), factor) - left,
          scaledLength(rect.top() + rect.height(), factor) - top};
}

// A plain container, whose children the form places; every other control places its own
// parts when it is resized.
bool isPlainContainer(const QWidget& widget) {
  const QMetaObject* type = widget.metaObject();
  return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject ||
         type == &QGroupBox::staticMetaObject;
}

// The controls that the window, or a plain container in it, places itself.
void scaleChildGeometries(QWidget& container, double factor) {
  // A layout places the children itself from their (scaled) fonts.
  if (container.layout() != nullptr) return;
  for (QWidget* child : container.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) continue;
    child->setGeometry(scaledRect(child->geometry(), factor));
    if (auto* button = qobject_cast<QAbstractButton*>(child); button && !button->icon().isNull()) {
      const QSize icon = button->iconSize();
      button->setIconSize(
          {scaledLength(icon.width(), factor), scaledLength(icon.height(), factor)});
    }
    if (isPlainContainer(*child)) scaleChildGeometries(*child, factor);
  }
}

QFont scaledFont(QFont font, double factor) {
  if (font.pointSizeF() > 0) {
    font.setPointSizeF(font.pointSizeF() * factor);
  } else if (font.pixelSize() > 0) {
    font.setPixelSize(std::max(1, scaledLength(font.pixelSize(), factor)));
  }
  return font;
}

// The window's own font, which its controls inherit, and every font a control sets for
// itself, each shrunk from its size before any of them changes.
void scaleFonts(QWidget& window, double factor) {
  std::vector<std::pair<QWidget*, QFont>> fonts{{&window, scaledFont(window.font(), factor)}};
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (widget->testAttribute(Qt::WA_SetFont)) {
      fonts.emplace_back(widget, scaledFont(widget->font(), factor));
    }
  }
  for (auto& [widget, font] : fonts) widget->setFont(font);
}

}  // namespace

double screenFitFactor(QSize clientSize, QSize availableArea) {
  if (clientSize.isEmpty()) return 1.0;
  const double across =
      static_cast<double>(availableArea.width() - kFrameAllowanceAcross) / clientSize.width();
  const double down =
      static_cast<double>(availableArea.height() - kFrameAllowanceDown) / clientSize.height();
  // A screen too small for any frame still shows a window, however small.
  return std::clamp(std::min(across, down), 0.1, 1.0);
}

void fitToScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return;
  const QSize size = window.size();
  const double factor = screenFitFactor(size, screen->availableGeometry().size());
  if (factor >= 1.0) return;
  scaleFonts(window, factor);
  scaleChildGeometries(window, factor);
  const QSize scaled(scaledLength(size.width(), factor), scaledLength(size.height(), factor));
  if (window.minimumSize() == window.maximumSize()) {
    window.setFixedSize(scaled);
  } else {
    window.resize(scaled);
  }
}

}  // namespace palvane
