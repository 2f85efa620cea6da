#include "palvane/forms/translated_text.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QObject>
#include <QWidget>

namespace palvane {

namespace {

// Watches one widget for the change of language and runs its action.
class LanguageFollower : public QObject {
 public:
  LanguageFollower(QWidget& widget, std::function<void()> apply)
      : QObject(&widget), apply_(std::move(apply)) {
    widget.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::LanguageChange) apply_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> apply_;
};

// The sources of a control's texts are kept in properties of the control, so that a text
// set again (a label changed by the program) replaces the one shown before.
constexpr char kTextSource[] = "palvaneTextSource";
constexpr char kToolTipSource[] = "palvaneToolTipSource";
constexpr char kTitleSource[] = "palvaneTitleSource";
constexpr char kFollowed[] = "palvaneFollowsLanguage";

const char* sourceOf(const QWidget& control, const char* property) {
  return static_cast<const char*>(control.property(property).value<void*>());
}

void setText(QWidget& control, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(&control)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
    button->setText(text);
  } else if (auto* box = qobject_cast<QGroupBox*>(&control)) {
    box->setTitle(text);
  }
}

void showKeptTexts(QWidget& control) {
  if (const char* source = sourceOf(control, kTextSource)) setText(control, translated(source));
  if (const char* source = sourceOf(control, kToolTipSource)) {
    control.setToolTip(translated(source));
  }
  if (const char* source = sourceOf(control, kTitleSource)) {
    control.setWindowTitle(translated(source));
  }
}

void keep(QWidget& control, const char* property, const char* source) {
  control.setProperty(property, QVariant::fromValue(static_cast<void*>(const_cast<char*>(source))));
  if (!control.property(kFollowed).toBool()) {
    control.setProperty(kFollowed, true);
    onLanguageChange(control, [&control] { showKeptTexts(control); });
  }
  showKeptTexts(control);
}

}  // namespace

QString translated(const char* source) { return QCoreApplication::translate(kTextContext, source); }

void showTranslatedText(QWidget& control, const char* source) {
  keep(control, kTextSource, source);
}

void showTranslatedToolTip(QWidget& control, const char* source) {
  keep(control, kToolTipSource, source);
}

void showTranslatedTitle(QWidget& window, const char* source) {
  keep(window, kTitleSource, source);
}

void onLanguageChange(QWidget& widget, std::function<void()> apply) {
  new LanguageFollower(widget, std::move(apply));
}

}  // namespace palvane
