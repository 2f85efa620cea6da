#pragma once

// The field computed the plain way, point by point, as the model states it: the reference
// that the engines' precomputed and vectorised path must match float for float.

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "engine/beam_parameters.h"
#include "engine/bins.h"
#include "engine/coefficient_table.h"
#include "engine/point_quantities.h"
#include "engine/relative_maps.h"
#include "engine/single_functions.h"

namespace plainref {

inline constexpr float kPi = 3.14159f;

struct PlainField {
  engine::RelativeMaps maps;
  engine::Spectrum referenceSpectrum{};
  engine::PointQuantities referenceQuantities;
};

// columnSpectrum(G) gives the spectrum of a column with path factor G;
// pointSpectrum(column, X, Y) the spectrum at a point. Every point of the settings used
// must have defined quantities. The quantities come from the point-quantity calculator,
// whose equality with the plain HVL loops is tested with it; that keeps a whole plain
// grid affordable under the sanitizers.
template <class ColumnSpectrum, class PointSpectrum>
PlainField plainField(const engine::BeamParameters& p, const engine::CoefficientTable& table,
                      ColumnSpectrum columnSpectrum, PointSpectrum pointSpectrum) {
  PlainField field;
  const int n = engine::highestBin(p.tubeVoltage);
  const engine::PointQuantityCalculator calculator(table, n);
  const float cutOff = 65.0f * engine::tanSingle((p.targetAngle + p.tiltAngle) / 180.0f * kPi);
  for (int j = 1; j <= 76; ++j) {
    const float x =
        static_cast<float>((j - 1) / 5.0);  // the decimal 0.2 (j - 1) as the nearest float
    if (x > cutOff) continue;
    const float alpha = engine::atanSingle(x / 65.0f) * 180.0f / kPi;
    const float beta = alpha - p.tiltAngle;
    const float tanBeta = engine::tanSingle(beta * kPi / 180.0f);
    const float g = std::sqrt(1.0f - tanBeta * tanBeta) /
                    (engine::tanSingle(p.targetAngle * kPi / 180.0f) - tanBeta);
    const engine::Spectrum column = columnSpectrum(g);
    std::array<engine::Spectrum, 51> points;
    for (int k = 1; k <= 51; ++k) {
      points[k - 1] = pointSpectrum(column, x, static_cast<float>((k - 1) / 5.0));
    }
    std::array<engine::PointQuantities, 51> quantities;
    calculator.compute(points, quantities);
    for (int k = 1; k <= 51; ++k) {
      const engine::PointQuantities& q = quantities[k - 1];
      EXPECT_TRUE(q.defined) << "j " << j << " k " << k;
      if (j == 1 && k == 1) {
        field.referenceSpectrum = points[0];
        field.referenceQuantities = q;
        field.maps.fluenceReference = q.energyFluence;
        field.maps.kermaReference = q.airKerma;
        field.maps.hvlReference = q.hvl;
      }
      const int index = (k - 1) * 76 + (j - 1);
      field.maps.fluence[index] = q.energyFluence / field.maps.fluenceReference;
      field.maps.kerma[index] = q.airKerma / field.maps.kermaReference;
      field.maps.hvl[index] = q.hvl / field.maps.hvlReference;
    }
  }
  return field;
}

// Float-for-float equality of two sets of maps.
inline void expectSameMaps(const engine::RelativeMaps& expected,
                           const engine::RelativeMaps& actual) {
  EXPECT_EQ(expected.fluenceReference, actual.fluenceReference);
  EXPECT_EQ(expected.kermaReference, actual.kermaReference);
  EXPECT_EQ(expected.hvlReference, actual.hvlReference);
  int differences = 0;
  for (std::size_t i = 0; i < expected.fluence.size(); ++i) {
    differences += expected.fluence[i] != actual.fluence[i];
    differences += expected.kerma[i] != actual.kerma[i];
    differences += expected.hvl[i] != actual.hvl[i];
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace plainref
