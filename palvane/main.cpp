#include <QApplication>

#include "palvane/forms/command_line.h"
#include "palvane/forms/program_start.h"
#include "text_files/standard_descriptors.h"

int main(int argc, char* argv[]) {
  palvane::openMissingStandardDescriptors();
  const palvane::CommandLine commandLine = palvane::readProcessCommandLine(argc, argv);
  if (commandLine.exitStatus) return *commandLine.exitStatus;
  QApplication application(argc, argv);
  return palvane::runPalvane(application, commandLine.language);
}
