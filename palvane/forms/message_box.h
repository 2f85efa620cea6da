#pragma once

#include <QString>

class QWidget;

namespace palvane {

// The title of the program's message boxes.
inline constexpr char kProgramTitle[] = "Palvane";

// A modal message box with the exclamation icon and a single OK button, titled with the
// program's title.
void showWarning(QWidget* parent, const QString& text);

}  // namespace palvane
