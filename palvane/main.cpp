#include <QApplication>

#include "palvane/forms/program_start.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  return palvane::runPalvane(application);
}
