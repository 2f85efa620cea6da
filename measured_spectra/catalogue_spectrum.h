#pragma once

#include <filesystem>
#include <vector>

#include "palvane/state/shared_state.h"

namespace measured {

// A spectrum of the measured catalogue: bins of equal width, each given by the energy at
// its top (keV) and the fluence in it per keV (normalised to the total fluence).
struct CatalogueSpectrum {
  std::vector<double> topEnergy;  // keV, rising by the bin width
  std::vector<double> fluence;    // per keV
};

// Reads a catalogue file: comment lines starting with '#', then two numbers a line.
// Throws std::runtime_error naming the file and line when a line holds anything else, a
// fluence is negative, the bins are not of one width or there are fewer than two.
CatalogueSpectrum readCatalogueSpectrum(const std::filesystem::path& file);

// The photons of the spectrum on the model's bins: bin i (0.2 i keV) collects what lies
// from 0.2 i - 0.1 to 0.2 i + 0.1 keV, each catalogue bin spread evenly over its width.
// Nothing falls into bin 0; what lies above 50.1 keV is dropped.
palvane::BinArray onModelBins(const CatalogueSpectrum& spectrum);

}  // namespace measured
