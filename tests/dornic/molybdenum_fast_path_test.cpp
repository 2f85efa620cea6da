// The molybdenum engine's precomputed, vectorised path against the model's plain loops
// over the whole grid: the same maps float for float and the same files byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "dornic/fast_path_check.h"
#include "dornic/molybdenum_model.h"
#include "dornic/plain_field.h"
#include "dornic/run_directory.h"
#include "engine/parameter_file.h"
#include "engine/single_exp.h"
#include "engine/single_functions.h"
#include "engine/table_files.h"

namespace {

using engine::BeamParameters;
using engine::CoefficientTable;
using engine::expSingle;
using engine::Spectrum;
using engine::StoppingPowerTable;

float plainStoppingPower(const StoppingPowerTable& stp, float t) {
  if (t <= 1.0f) return stp.stoppingPower[0];
  int r = 0;
  while (stp.energy[r] < t) ++r;
  const float lnS =
      engine::logSingle(stp.stoppingPower[r]) -
      (engine::logSingle(stp.energy[r]) - engine::logSingle(t)) /
          (engine::logSingle(stp.energy[r]) - engine::logSingle(stp.energy[r - 1])) *
          (engine::logSingle(stp.stoppingPower[r]) - engine::logSingle(stp.stoppingPower[r - 1]));
  return expSingle(lnS);
}

Spectrum plainEmission(const BeamParameters& p, const CoefficientTable& mu,
                       const StoppingPowerTable& stp, float g) {
  Spectrum phi{};
  const float v = p.tubeVoltage;
  const int n = engine::highestBin(v);
  const float c = 141766.0f + 12157.0f * v - 111.046f * (v * v) +
                  0.552536f * engine::cubeSingle(v) - 0.000970158f * engine::fourthPowerSingle(v);
  for (int i = 2; i <= n; ++i) {
    const float e = static_cast<float>(i) * 0.2f;
    float sum = 0.0f;
    for (float t = e; t <= v; t = t + 0.2f) {
      const float u = e / t;
      const float q = (0.03058f - 7.494e-05f * v) *
                      (1.0f - 4.238f * u + 7.799f * (u * u) - 6.739f * engine::cubeSingle(u) +
                       2.313f * engine::fourthPowerSingle(u));
      const float s = plainStoppingPower(stp, t);
      const float d = (v * v - t * t) / (c * 10.22f) * g;
      sum = sum + (1.0f + 511.0f / t) * q / s * expSingle(-mu.muMo[i] * d);
    }
    phi[i] = sum;
  }
  float f = 0.0f;
  for (int i = 2; i <= n; ++i) {
    phi[i] = phi[i] * expSingle(-mu.muAir[i] * p.airLayer) * expSingle(-mu.muRh[i] * p.rhodium) *
             expSingle(-mu.muBe[i] * p.beryllium) * expSingle(-mu.muMo[i] * p.molybdenum) *
             expSingle(-mu.muAl[i] * p.aluminium) / (static_cast<float>(i) * 0.2f);
    f = f + phi[i];
  }
  float k;
  float fractions[5];
  if (p.molybdenum > 0.0f) {
    k = 0.0379f * v - 0.7866f;
    const float a[] = {0.543f, 0.283f, 0.101f, 0.051f, 0.022f};
    std::copy(a, a + 5, fractions);
  } else if (p.rhodium > 0.0f) {
    k = 0.0323f * v - 0.6543f;
    const float b[] = {0.538f, 0.282f, 0.104f, 0.053f, 0.023f};
    std::copy(b, b + 5, fractions);
  } else {
    k = 0.0323f * v - 0.6543f;
    const float c3[] = {0.556f, 0.292f, 0.088f, 0.045f, 0.043f};
    std::copy(c3, c3 + 5, fractions);
  }
  if (k < 0.0f) k = 0.0f;  // no lines where the linear yield falls below zero
  const int bins[] = {87, 87, 98, 98, 100};
  for (int line = 0; line < 5; ++line) phi[bins[line]] = phi[bins[line]] + f * k * fractions[line];
  return phi;
}

Spectrum plainPoint(const BeamParameters& p, const CoefficientTable& mu, const Spectrum& phi,
                    float x, float y) {
  Spectrum point{};
  const float s = x * x + y * y + 4225.0f;
  const float l = std::sqrt(s) / 65.0f - 1.0f;
  const float wsq = 4225.0f / s;
  for (int i = 2; i <= engine::highestBin(p.tubeVoltage); ++i) {
    point[i] = expSingle(-mu.muRh[i] * l * p.rhodium) * expSingle(-mu.muMo[i] * l * p.molybdenum) *
               expSingle(-mu.muAir[i] * l * p.airLayer) * expSingle(-mu.muAl[i] * l * p.aluminium) *
               phi[i] * wsq;
  }
  return point;
}

// Runs the engine in a scratch directory with the given settings and checks its maps and
// both files against the plain computation.
void expectFastEqualsPlain(const std::string& settings) {
  testrun::RunDirectory directory;
  directory.write("B2F.dat", settings);
  const CoefficientTable table = engine::readCoefficientTable(directory.path() / "MUs3.dat");
  const StoppingPowerTable stp = engine::readStoppingPowerTable(directory.path() / "Mo-STP.dat");
  const BeamParameters p = engine::readParameterFile(directory.path() / "B2F.dat");

  const plainref::PlainField plain = plainref::plainField(
      p, table, [&](float g) { return plainEmission(p, table, stp, g); },
      [&](const Spectrum& phi, float x, float y) { return plainPoint(p, table, phi, x, y); });

  dornic::MolybdenumModel model;
  model.readTables(directory.path());
  plainref::expectRunMatchesPlain(model, directory, p, table, plain);
}

TEST(MolybdenumFastPath, MatchesPlainLoopsWithEveryLayerAndTheMolybdenumLines) {
  // All five layers present (line set A); theta 12 cuts the field off at 13.8 cm.
  expectFastEqualsPlain(
      testrun::settingsText("28.4", "12.0", "00.0", "00.80", "00.30", "00.030", "00.025"));
}

TEST(MolybdenumFastPath, MatchesPlainLoopsWithRhodiumOnlyAtHighVoltageAndTilt) {
  expectFastEqualsPlain(
      testrun::settingsText("35.0", "16.0", "03.5", "01.00", "00.00", "00.000", "00.025"));
}

TEST(MolybdenumFastPath, MatchesPlainLoopsWithoutFiltersBelowTheLineThreshold) {
  // 19.7 kV: N = 98 < 100, a line yield below zero that counts as none (set C).
  expectFastEqualsPlain(
      testrun::settingsText("19.7", "22.0", "00.0", "00.00", "00.00", "00.000", "00.000"));
}

}  // namespace
