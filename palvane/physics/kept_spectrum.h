#pragma once

#include <filesystem>

#include "palvane/physics/exports.h"
#include "palvane/state/shared_state.h"

namespace palvane {

// A spectrum as a graph shows it, kept with what it was computed for so that it can be
// exported after later computations have overwritten the shared state.
struct KeptSpectrum {
  BinArray photons{};       // photons per bin, bins 1..250
  double normaliser = 0.0;  // photons per bin drawn as relative fluence 1 (100 %)
  SpectrumExportSettings settings;
};

// The last computed point spectrum (Spectrum over SpectrumMax) with the target, the tube
// and filter settings of the spectrum form, the point (PointX, PointY), the air layer of
// the routine that computed it and its beam quality with the beam-axis air kerma of the
// same settings (PointBeamQualityReference).
KeptSpectrum keepLastPointSpectrum();

// The beam-axis spectrum read back from B_SPCTL.dat (AxisSpectrum, relative to its peak
// AxisSpectrumMax) with the target and the settings of the spectrum form, on the axis,
// and its beam quality (its own air kerma is its reference).
KeptSpectrum keepAxisSpectrum();

// Writes the spectrum's CSV export (spectrumCsv) through writeExportFile.
void writeSpectrumCsv(const std::filesystem::path& file, const KeptSpectrum& spectrum,
                      const ExportStamp& stamp);

}  // namespace palvane
