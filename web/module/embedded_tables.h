#pragma once

#include <string_view>

namespace web {

// The bytes of data/MUs3.dat, data/Mo-STP.dat and data/Materials.dat, built into the module (the
// generated embedded_tables.cpp of the build tree holds them).
extern const std::string_view kCoefficientTable;
extern const std::string_view kStoppingPowerTable;
extern const std::string_view kMaterialTable;

}  // namespace web
