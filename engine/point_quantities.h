#pragma once

namespace engine {

// What one field point yields (single precision).
struct PointQuantities {
  float peak = 0;            // largest bin of the point spectrum
  float photonFluence = 0;   // sum of the bins
  float energyFluence = 0;   // sum of E_i * P(i)
  float airKerma = 0;        // sum of muEn_air(i) * P(i) * E_i
  float hvl = 0;             // aluminium half-value layer, mm
  bool defined = true;       // false when the HVL cannot be found (zero kerma, no 50 % crossing)
};

}  // namespace engine
