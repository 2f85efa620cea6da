#pragma once

#include <filesystem>

namespace sweep {

// The folder the tables are read from when --tables is not given: the current folder when
// it holds MUs3.dat, otherwise the tables installed with the program
// (<prefix>/bin/../share/palvane) when they are there, otherwise the current folder again
// (whose missing table is then reported).
std::filesystem::path defaultTablesDirectory();

}  // namespace sweep
