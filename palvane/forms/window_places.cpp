#include "palvane/forms/window_places.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QVariant>
#include <QWidget>

namespace palvane {

namespace {

QString placeKey(const QWidget& window) { return QStringLiteral("places/") + window.objectName(); }

// Whether the window's frame, put at `topLeft`, lies wholly on one screen's available area.
bool whollyOnAScreen(const QWidget& window, const QPoint& topLeft) {
  const QRect frame(topLeft, window.frameGeometry().size());
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().contains(frame)) return true;
  }
  return false;
}

class WindowPlaces : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWidget*>(watched);
    // Only the five forms: the engine's console places itself.
    if (window == nullptr || !window->isWindow() ||
        !window->objectName().startsWith(QStringLiteral("Form"))) {
      return false;
    }
    if (event->type() == QEvent::Show && !placed_.contains(window->objectName())) {
      placed_.insert(window->objectName());
      place(*window);
    } else if ((event->type() == QEvent::Move || event->type() == QEvent::Hide) &&
               placed_.contains(window->objectName()) && window->isVisible()) {
      settings().setValue(placeKey(*window), window->pos());
    }
    return false;
  }

 private:
  static QSettings& settings() {
    static QSettings stored(QStringLiteral("palvane"), QStringLiteral("palvane"));
    return stored;
  }

  static void place(QWidget& window) {
    const QVariant remembered = settings().value(placeKey(window));
    if (remembered.isValid() && whollyOnAScreen(window, remembered.toPoint())) {
      window.move(remembered.toPoint());
      return;
    }
    const QScreen* screen = window.screen();
    if (screen == nullptr) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    const QPoint corner = screen->availableGeometry().topLeft();
    window.move(std::max(frame.left(), corner.x()), std::max(frame.top(), corner.y()));
  }

  QSet<QString> placed_;
};

}  // namespace

void rememberWindowPlaces() { qApp->installEventFilter(new WindowPlaces(qApp)); }

}  // namespace palvane
