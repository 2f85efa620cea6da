#pragma once

#include <vector>

#include <QByteArray>
#include <QString>

#include "palvane/state/shared_state.h"

namespace measured {

// One panel of the figure: a measured and a model spectrum of the same beam.
struct SpectrumPair {
  QString title;
  const palvane::BinArray* measured = nullptr;  // photons per 0.2-keV bin
  const palvane::BinArray* model = nullptr;
};

// The panels one above the other, each spectrum in % of its own total photon number per
// keV, over 0 to `highestEnergy` keV, as a PNG image at twice its logical size.
QByteArray spectraFigurePng(const std::vector<SpectrumPair>& panels, double highestEnergy);

}  // namespace measured
