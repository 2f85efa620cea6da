#include "measured_spectra/catalogue_spectrum.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace measured {

namespace {

[[noreturn]] void fail(const std::filesystem::path& file, int line, const std::string& what) {
  throw std::runtime_error(file.string() + ", line " + std::to_string(line) + ": " + what);
}

}  // namespace

CatalogueSpectrum readCatalogueSpectrum(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  if (!stream) throw std::runtime_error(file.string() + ": cannot be read");
  CatalogueSpectrum spectrum;
  int number = 0;
  for (std::string line; std::getline(stream, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    std::istringstream fields(line);
    double energy = 0.0;
    double fluence = 0.0;
    std::string rest;
    if (!(fields >> energy >> fluence) || (fields >> rest)) {
      fail(file, number, "expected an energy and a fluence");
    }
    if (!std::isfinite(energy) || !std::isfinite(fluence) || fluence < 0.0) {
      fail(file, number, "a fluence must be a number not below 0");
    }
    const std::size_t bins = spectrum.topEnergy.size();
    if (bins >= 2) {
      const double width = spectrum.topEnergy[1] - spectrum.topEnergy[0];
      if (std::fabs(energy - spectrum.topEnergy[bins - 1] - width) > 1e-6 * width) {
        fail(file, number, "the bins are not of one width");
      }
    } else if (bins == 1 && !(energy > spectrum.topEnergy[0])) {
      fail(file, number, "the energies do not rise");
    }
    spectrum.topEnergy.push_back(energy);
    spectrum.fluence.push_back(fluence);
  }
  if (spectrum.topEnergy.size() < 2) throw std::runtime_error(file.string() + ": no spectrum");
  return spectrum;
}

palvane::BinArray onModelBins(const CatalogueSpectrum& spectrum) {
  palvane::BinArray photons{};
  const double width = spectrum.topEnergy[1] - spectrum.topEnergy[0];
  constexpr double kModelStep = 0.2;  // keV
  for (std::size_t k = 0; k < spectrum.topEnergy.size(); ++k) {
    const double top = spectrum.topEnergy[k];
    const double bottom = top - width;
    const int first = std::max(1, static_cast<int>(std::floor(bottom / kModelStep + 0.5)));
    const int last =
        std::min(palvane::kLastBin, static_cast<int>(std::floor(top / kModelStep + 0.5)));
    for (int i = first; i <= last; ++i) {
      const double overlap =
          std::min(top, kModelStep * i + 0.1) - std::max(bottom, kModelStep * i - 0.1);
      if (overlap > 0.0) photons[i] += spectrum.fluence[k] * overlap;
    }
  }
  return photons;
}

}  // namespace measured
