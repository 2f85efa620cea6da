#include <iostream>

#include "engine/engine_run.h"
#include "engine/standard_descriptors.h"
#include "engine/version_option.h"
#include "vessick/tungsten_model.h"

// The tungsten engine: one run in the working directory.
int main(int argc, char* argv[]) {
  engine::openMissingStandardDescriptors();
  if (engine::versionRequested(argc, argv)) {
    std::cout << engine::versionLine("vessick");
    return 0;
  }
  vessick::TungstenModel model;
  return engine::runEngine(model, {}, {std::cin, std::cout, std::cerr});
}
