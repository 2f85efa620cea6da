#include "measured_spectra/comparison_program.h"

int main(int argc, char* argv[]) { return measured::runComparisonProgram(argc, argv); }
