// Writes the delivered data tables MUs3.dat, Mo-STP.dat and Materials.dat into the
// directory given on the command line. The output depends only on xraylib's data, byte
// for byte.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "engine/atomic_file.h"
#include "tools/table_text.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_tables OUTPUT_DIRECTORY\n";
    return 2;
  }
  try {
    const std::filesystem::path directory = argv[1];
    std::filesystem::create_directories(directory);
    // Both texts are complete before either file is touched.
    const std::string coefficients = tools::coefficientTableText();
    const std::string stoppingPowers = tools::stoppingPowerTableText();
    const std::string materials = tools::materialTableText();
    engine::writeFileAtomically(directory / "MUs3.dat", coefficients);
    engine::writeFileAtomically(directory / "Mo-STP.dat", stoppingPowers);
    engine::writeFileAtomically(directory / "Materials.dat", materials);
  } catch (const std::exception& error) {
    std::cerr << "make_tables: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
