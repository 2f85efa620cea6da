#include <iostream>

#include "dornic/molybdenum_model.h"
#include "engine/engine_run.h"

// The molybdenum engine: one run in the working directory.
int main() {
  dornic::MolybdenumModel model;
  return engine::runEngine(model, {}, {std::cin, std::cout, std::cerr});
}
