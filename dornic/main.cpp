#include <iostream>

#include "dornic/molybdenum_model.h"
#include "engine/engine_run.h"
#include "engine/standard_descriptors.h"
#include "engine/version_option.h"

// The molybdenum engine: one run in the working directory.
int main(int argc, char* argv[]) {
  engine::openMissingStandardDescriptors();
  if (engine::versionRequested(argc, argv)) {
    std::cout << engine::versionLine("dornic");
    return 0;
  }
  dornic::MolybdenumModel model;
  return engine::runEngine(model, {}, {std::cin, std::cout, std::cerr});
}
