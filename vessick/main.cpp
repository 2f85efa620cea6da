#include <iostream>

#include "engine/engine_run.h"
#include "vessick/tungsten_model.h"

// The tungsten engine: one run in the working directory.
int main() {
  vessick::TungstenModel model;
  return engine::runEngine(model, {}, {std::cin, std::cout, std::cerr});
}
