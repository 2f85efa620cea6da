#include <cmath>

#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/model_constants.h"
#include "palvane/physics/model_spectrum.h"
#include "palvane/physics/point_spectrum.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/shared_state.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

constexpr double kAirPath = kTungstenAirLayer;  // cm

// Stopping power of tungsten for electron energy T in keV.
double tungstenStoppingPower(double T) {
  const auto& [a, b, c] = kTungstenStoppingPower;
  return b * std::exp(-c * T) + a;
}

// Photons produced in the target for bin i (photon energy E keV), summed over the electron
// energies T = E, E + 0.2, ... up to the tube voltage V, with self-absorption along
// path factor G.
double targetBin(int i, double V, double G, double C, const BinArray& MuW) {
  const double E = 0.2 * i;
  const double prefactor = kTungstenPrefactor.constant + kTungstenPrefactor.slope * E;
  const auto& [a1, a2, a3, a4] = kTungstenShape;
  double sum = 0.0;
  for (double T = E; T <= V; T = T + 0.2) {
    const double u = E / T;
    const double B = prefactor * (1.0 - a1 * u + a2 * u * u - a3 * u * u * u + a4 * u * u * u * u);
    const double S = tungstenStoppingPower(T);
    const double d = G * (V * V - T * T) / (C * kTungstenDensity);
    const double a = std::exp(-MuW[i] * d);
    sum = sum + a * (B * (1.0 + kElectronRestEnergy / T) / S);
  }
  return sum;
}

// Holds the tube voltage within 15..50 kV: a text outside is replaced on the form.
void clampTubeVoltage(ParameterTexts& texts) {
  const double V = SettingNumber(texts.tubeVoltage());
  if (V > 50.0) texts.setTubeVoltage("50");
  if (V < 15.0) texts.setTubeVoltage("15");
}

}  // namespace

std::optional<int> TungstenSpectrum(const ModelTables& tables, const TubeSetup& setup,
                                    const PointGeometry& geometry, double airPath, BinArray& target,
                                    BinArray& spectrum, const ModelLayers& layers) {
  const double V = setup.tubeVoltage;
  const double beryllium = centimetres(setup.beryllium);
  const double aluminium = centimetres(setup.aluminium);
  const double molybdenum = centimetres(setup.molybdenum);
  const double rhodium = centimetres(setup.rhodium);
  const double r = geometry.obliquePath;
  const double w = geometry.inverseSquare;
  const std::optional<int> lastBin = lastSpectrumBin(V);
  const std::optional<double> G =
      PathFactor(geometry.offAxisAngle, setup.tiltAngle, setup.targetAngle, tables.Pi);
  if (!lastBin || !G) return std::nullopt;
  const int N = *lastBin;
  const double C = ThomsonWhiddingtonConstant(V);

  for (int i = 1; i <= kLastBin; ++i) spectrum[i] = 0.0;
  for (int i = 2; i <= N; ++i) target[i] = targetBin(i, V, *G, C, tables.MuW);
  for (int i = 2; i <= N; ++i) spectrum[i] = spectrum[i] + target[i];

  // Filters along the oblique path (beryllium along its thickness), the added filters and
  // the plate too, photons per energy interval, inverse square.
  std::vector<LayerColumn> addedLayers = layers.filters;
  if (layers.plate) addedLayers.push_back(*layers.plate);
  const BinArray added = layersTransmission(addedLayers, r, N);
  for (int i = 2; i <= N; ++i) {
    const double E = 0.2 * i;
    spectrum[i] = spectrum[i] * std::exp(-tables.MuBe[i] * beryllium) *
                  std::exp(-tables.MuAl[i] * aluminium * r) *
                  std::exp(-tables.MuMo[i] * molybdenum * r) *
                  std::exp(-tables.MuRh[i] * rhodium * r) *
                  std::exp(-tables.MuAir[i] * airPath * r) * added[i] / E * w;
  }
  return N;
}

PointSpectrumOutcome ComputePointSpectrumW() {
  clampTubeVoltage(parameterTexts());
  return PointSpectrumOfForm(Target::kTungsten, kAirPath);
}

}  // namespace palvane
