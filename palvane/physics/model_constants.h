#pragma once

#include <array>

namespace palvane {

// The constants of palvane's target models, in double precision. The engines hold their
// own single-precision ones; tests/model_constants pins both to one literal table.

inline constexpr double kMolybdenumDensity = 10.22;  // g/cm^3
inline constexpr double kTungstenDensity = 19.3;     // g/cm^3

// Cross-section prefactor constant + slope * x: x is the tube voltage in kV for
// molybdenum, the photon energy in keV for tungsten.
struct LinearTerm {
  double constant;
  double slope;
};
inline constexpr LinearTerm kMolybdenumPrefactor{0.03058, -7.494e-05};
inline constexpr LinearTerm kTungstenPrefactor{0.03658, 2.9e-05};

// Shape polynomial 1 - a u + b u^2 - c u^3 + d u^4 in u = E / T, as {a, b, c, d}.
inline constexpr std::array<double, 4> kMolybdenumShape{4.238, 7.799, 6.739, 2.313};
inline constexpr std::array<double, 4> kTungstenShape{5.049, 10.847, 10.516, 3.842};

// Stopping power of tungsten S(T) = a + b exp(-c T), T in keV, as {a, b, c}.
inline constexpr std::array<double, 3> kTungstenStoppingPower{202.41, 1036.1, 0.04695};

// Depth-energy (Thomson-Whiddington) constant C(V) = sum of k_n V^n, n = 0..4.
inline constexpr std::array<double, 5> kDepthEnergyCoefficients{141766.0, 12157.0, -111.046,
                                                                0.552536, -0.000970158};

inline constexpr double kElectronRestEnergy = 511.0;  // keV

}  // namespace palvane
