#pragma once

namespace measured {

// measured_comparison: the model's beam-axis spectra against the measured catalogue.
// Writes the validation page's section on the measured spectra (Markdown) and its figure
// (PNG); scripts/validation.sh runs it.
//
//   measured_comparison --tables DIR --catalogue DIR --section FILE --figure FILE
//
// Returns the exit status: 0 done, 1 a file could not be read or written, 2 bad options.
int runComparisonProgram(int argc, char* argv[]);

}  // namespace measured
