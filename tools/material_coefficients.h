#pragma once

#include <array>
#include <string_view>

namespace tools {

// One material of Materials.dat: its key (the column heading and the name users type),
// its density in g/cm^3 and where its composition comes from: an element (atomic number)
// or a compound of xraylib's NIST list.
struct MaterialSource {
  std::string_view key;
  double density;
  int atomicNumber;      // 0 for a compound
  const char* nistName;  // nullptr for an element
};

// The materials of Materials.dat in column order (columns 2 to 7).
inline constexpr std::array<MaterialSource, 6> kMaterials{{
    {"ag", 10.5, 47, nullptr},
    {"al", 2.699, 13, nullptr},
    {"cu", 8.96, 29, nullptr},
    {"sn", 7.31, 50, nullptr},
    {"pmma", 1.19, 0, "Polymethyl Methacralate (Lucite, Perspex)"},
    {"pc", 1.20, 0, "Polycarbonate (Makrolon, Lexan)"},
}};

// Linear attenuation coefficient of the material at the photon energy, per cm: xraylib's
// total cross section (coherent included, compounds summed over their mass fractions)
// times the density. Throws std::runtime_error with xraylib's message.
double materialAttenuation(const MaterialSource& material, double photonEnergyKeV);

}  // namespace tools
