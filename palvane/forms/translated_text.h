#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace palvane {

// The translation context of every text the forms show. A text is marked where it is
// written, QT_TRANSLATE_NOOP("palvane", "..."), and shown through translated(); the
// Japanese texts are the sources, so without a translator they are shown as written.
inline constexpr char kTextContext[] = "palvane";

// The text in the language chosen now.
QString translated(const char* source);

// Shows the translation of `source` as the control's text (label, button, group box),
// tool tip or window title, now and again after every change of language. `source` must
// live as long as the control (a literal or a constant).
void showTranslatedText(QWidget& control, const char* source);
void showTranslatedToolTip(QWidget& control, const char* source);
void showTranslatedTitle(QWidget& window, const char* source);

// Runs `apply` at every change of language, for texts and pictures composed at run time.
void onLanguageChange(QWidget& widget, std::function<void()> apply);

}  // namespace palvane
