#include <iostream>
#include <string>
#include <vector>

#include "sweep/sweep_program.h"
#include "text_files/standard_descriptors.h"

int main(int argc, char** argv) {
  palvane::openMissingStandardDescriptors();
  return sweep::runSweepProgram(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                std::cerr);
}
