#include <algorithm>
#include <cmath>

#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/model_constants.h"
#include "palvane/physics/model_spectrum.h"
#include "palvane/physics/point_spectrum.h"
#include "palvane/physics/stopping_power.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/shared_state.h"

namespace palvane {

namespace {

constexpr double kAirPath = kMolybdenumAirLayer;  // cm

// Bins of the characteristic lines: 17.4 keV (K-alpha), 19.6 keV and 20.0 keV (K-beta).
constexpr int kLineBins[] = {87, 87, 98, 98, 100};

// Share of each line amount by added filter: molybdenum, else rhodium, else none.
constexpr double kLineFractionsMolybdenumFilter[] = {0.543, 0.283, 0.101, 0.051, 0.022};
constexpr double kLineFractionsRhodiumFilter[] = {0.538, 0.282, 0.104, 0.053, 0.023};
constexpr double kLineFractionsNoFilter[] = {0.556, 0.292, 0.088, 0.045, 0.043};

// Characteristic photons per bremsstrahlung photon for tube voltage V in kV. The linear
// formula turns negative below about 20.75 kV (molybdenum filter) or 20.26 kV; a photon
// number cannot be negative, so the lines are then absent.
double LineYield(double V, double molybdenumFilter) {
  return std::max(molybdenumFilter > 0.0 ? 0.0379 * V - 0.7866 : 0.0323 * V - 0.6543, 0.0);
}

// Photons produced in the target for bin i (photon energy E keV), summed over the electron
// energies T = E, E + 0.2, ... up to the tube voltage V, with self-absorption along
// path factor G.
double targetBin(int i, double V, double G, double C, const MolybdenumStoppingPower& stopping,
                 const BinArray& MuMo) {
  const double E = 0.2 * i;
  const double prefactor = kMolybdenumPrefactor.constant + kMolybdenumPrefactor.slope * V;
  const auto& [a1, a2, a3, a4] = kMolybdenumShape;
  double sum = 0.0;
  int searchRow = 1;
  for (double T = E; T <= V; T = T + 0.2) {
    const double u = E / T;
    const double B = prefactor * (1.0 - a1 * u + a2 * u * u - a3 * u * u * u + a4 * u * u * u * u);
    const double S = stopping.at(T, searchRow);
    const double d = G * (V * V - T * T) / (C * kMolybdenumDensity);
    const double a = std::exp(-MuMo[i] * d);
    sum = sum + a * (B * (1.0 + kElectronRestEnergy / T) / S);
  }
  return sum;
}

}  // namespace

std::optional<int> MolybdenumSpectrum(const ModelTables& tables, const TubeSetup& setup,
                                      const PointGeometry& geometry, double airPath,
                                      BinArray& target, BinArray& spectrum,
                                      const ModelLayers& layers) {
  const double V = setup.tubeVoltage;
  const double beryllium = centimetres(setup.beryllium);
  const double aluminium = centimetres(setup.aluminium);
  const double molybdenum = centimetres(setup.molybdenum);
  const double rhodium = centimetres(setup.rhodium);
  const double e = geometry.obliquePath - 1.0;  // 0 exactly on the beam axis
  const double w = geometry.inverseSquare;
  const std::optional<int> lastBin = lastSpectrumBin(V);
  const std::optional<double> G =
      PathFactor(geometry.offAxisAngle, setup.tiltAngle, setup.targetAngle, tables.Pi);
  const MolybdenumStoppingPower stopping(tables.MoStp);
  if (!lastBin || !G || !stopping.covers(V)) return std::nullopt;
  const int N = *lastBin;
  const double C = ThomsonWhiddingtonConstant(V);

  for (int i = 1; i <= kLastBin; ++i) spectrum[i] = 0.0;
  for (int i = 2; i <= N; ++i) target[i] = targetBin(i, V, *G, C, stopping, tables.MuMo);
  for (int i = 2; i <= N; ++i) spectrum[i] = spectrum[i] + target[i];

  // Filters along the perpendicular path, then photons per energy interval.
  const BinArray added = layersTransmission(layers.filters, 1.0, N);
  double total = 0.0;
  for (int i = 2; i <= N; ++i) {
    const double E = 0.2 * i;
    spectrum[i] = spectrum[i] * std::exp(-tables.MuBe[i] * beryllium) *
                  std::exp(-tables.MuAl[i] * aluminium) * std::exp(-tables.MuMo[i] * molybdenum) *
                  std::exp(-tables.MuRh[i] * rhodium) * std::exp(-tables.MuAir[i] * airPath) *
                  added[i] / E;
    total = total + spectrum[i];
  }

  const double Y = LineYield(V, molybdenum);
  const double* fractions = molybdenum > 0.0 ? kLineFractionsMolybdenumFilter
                            : rhodium > 0.0  ? kLineFractionsRhodiumFilter
                                             : kLineFractionsNoFilter;
  for (int line = 0; line < 5; ++line) spectrum[kLineBins[line]] += fractions[line] * Y * total;

  // The excess path through the filters (not beryllium) and the inverse square off axis;
  // the plate's whole oblique path.
  const BinArray addedExcess = layersTransmission(layers.filters, e, N);
  std::vector<LayerColumn> plate;
  if (layers.plate) plate.push_back(*layers.plate);
  const BinArray plateTransmission = layersTransmission(plate, geometry.obliquePath, N);
  for (int i = 2; i <= N; ++i) {
    spectrum[i] =
        spectrum[i] * std::exp(-tables.MuAl[i] * aluminium * e) *
        std::exp(-tables.MuMo[i] * molybdenum * e) * std::exp(-tables.MuRh[i] * rhodium * e) *
        std::exp(-tables.MuAir[i] * airPath * e) * addedExcess[i] * plateTransmission[i] * w;
  }
  return N;
}

PointSpectrumOutcome ComputePointSpectrumMo() {
  return PointSpectrumOfForm(Target::kMolybdenum, kAirPath);
}

}  // namespace palvane
