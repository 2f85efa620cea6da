#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "palvane/forms/language.h"

namespace palvane {

// What palvane's command line asks for.
struct CommandLine {
  // --language en|ja: the forms' language for this run, before the remembered choice.
  std::optional<Language> language;
  // Set when the program is to end at once: 0 after --help or --version, 1 after an
  // unknown option or language; `text` then holds what is to be printed (on standard
  // output when the status is 0, on standard error otherwise).
  std::optional<int> exitStatus;
  QString text;
};

// Reads the arguments, the program's name first.
CommandLine readCommandLine(const QStringList& arguments);

// Reads the process's command line before the windowing system is reached, so that
// --help and --version work without a display, and prints the text it asks for.
CommandLine readProcessCommandLine(int argc, char* argv[]);

}  // namespace palvane
