#include <iostream>
#include <string>
#include <vector>

#include "sweep/sweep_program.h"

int main(int argc, char** argv) {
  return sweep::runSweepProgram(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                std::cerr);
}
