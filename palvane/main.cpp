#include <QApplication>

#include "palvane/forms/command_line.h"
#include "palvane/forms/program_start.h"

int main(int argc, char* argv[]) {
  const palvane::CommandLine commandLine = palvane::readProcessCommandLine(argc, argv);
  if (commandLine.exitStatus) return *commandLine.exitStatus;
  QApplication application(argc, argv);
  return palvane::runPalvane(application, commandLine.language);
}
