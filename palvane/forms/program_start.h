#pragma once

#include <optional>

#include "palvane/forms/language.h"

class QApplication;

namespace palvane {

// Makes a font that holds the Japanese captions the application's font, when one is
// installed; otherwise the platform's choice stays.
void useJapaneseFont(QApplication& application);

// Starts the program: the forms' language is set (the one asked for, else the one last
// chosen, else Japanese), the spectrum form is created (its load reads the tables) and
// shown, then the events are handled until the program ends. Returns the exit status:
// non-zero when the tables could not be loaded (that has been reported in a message box).
int runPalvane(QApplication& application, std::optional<Language> language = std::nullopt);

}  // namespace palvane
