// The tungsten engine: its target pieces by hand, whole runs, and its fast path against the
// plain loops of the model.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "dornic/fast_path_check.h"
#include "dornic/plain_field.h"
#include "dornic/run_directory.h"
#include "engine/field_computation.h"
#include "engine/parameter_file.h"
#include "engine/single_exp.h"
#include "engine/single_functions.h"
#include "engine/table_files.h"
#include "vessick/tungsten_model.h"

namespace {

using engine::BeamParameters;
using engine::CoefficientTable;
using engine::expSingle;
using engine::Spectrum;
using testrun::RunDirectory;
using testrun::settingsText;
using testrun::splitLines;

TEST(TungstenTarget, StoppingPowerAndPrefactor) {
  const vessick::TungstenTarget target;
  EXPECT_NEAR(target.stoppingPower(0.0f), 202.41 + 1036.1, 1e-3);
  // 202.41 + 1036.1 * exp(-0.939)
  EXPECT_NEAR(target.stoppingPower(20.0f), 202.41 + 1036.1 * 0.39101865, 1e-3);
  EXPECT_NEAR(target.crossSectionPrefactor(28.0f, 20.0f), 0.03658 + 2.9e-05 * 20, 1e-8);
}

Spectrum plainBrems(const BeamParameters& p, const CoefficientTable& mu, float g) {
  Spectrum b{};
  const float v = p.tubeVoltage;
  const float c = 141766.0f + 12157.0f * v - 111.046f * (v * v) +
                  0.552536f * engine::cubeSingle(v) - 0.000970158f * engine::fourthPowerSingle(v);
  for (int i = 2; i <= engine::highestBin(v); ++i) {
    const float e = static_cast<float>(i) * 0.2f;
    float sum = 0.0f;
    for (float t = e; t <= v; t = t + 0.2f) {
      const float u = e / t;
      const float q = (0.03658f + 2.9e-05f * e) *
                      (1.0f - 5.049f * u + 10.847f * (u * u) - 10.516f * engine::cubeSingle(u) +
                       3.842f * engine::fourthPowerSingle(u));
      const float s = 202.41f + 1036.1f * expSingle(-0.04695f * t);
      const float d = (v * v - t * t) / (c * 19.3f) * g;
      sum = sum + (1.0f + 511.0f / t) * q / s * expSingle(-mu.muW[i] * d);
    }
    b[i] = sum;
  }
  return b;
}

Spectrum plainPoint(const BeamParameters& p, const CoefficientTable& mu, const Spectrum& b, float x,
                    float y) {
  Spectrum point{};
  const float r2 = y * y + x * x + 4225.0f;
  const float r = std::sqrt(r2) / 65.0f;
  const float w = 4225.0f / r2;
  for (int i = 2; i <= engine::highestBin(p.tubeVoltage); ++i) {
    point[i] = expSingle(-mu.muRh[i] * p.rhodium * r) * expSingle(-mu.muMo[i] * p.molybdenum * r) *
               expSingle(-mu.muAir[i] * r * p.airLayer) * expSingle(-mu.muAl[i] * p.aluminium * r) *
               expSingle(-mu.muBe[i] * p.beryllium) * b[i] / (static_cast<float>(i) * 0.2f) * w;
  }
  return point;
}

void expectFastEqualsPlain(const std::string& settings) {
  RunDirectory directory;
  directory.write("B2F.dat", settings);
  const CoefficientTable table = engine::readCoefficientTable(directory.path() / "MUs3.dat");
  const BeamParameters p = engine::readParameterFile(directory.path() / "B2F.dat");
  const plainref::PlainField plain = plainref::plainField(
      p, table, [&](float g) { return plainBrems(p, table, g); },
      [&](const Spectrum& b, float x, float y) { return plainPoint(p, table, b, x, y); });

  vessick::TungstenModel model;
  plainref::expectRunMatchesPlain(model, directory, p, table, plain);
}

TEST(TungstenFastPath, MatchesPlainLoopsAt30KvWithEveryLayer) {
  expectFastEqualsPlain(
      settingsText("30.0", "16.0", "02.0", "00.80", "00.30", "00.030", "00.050", "1"));
}

TEST(TungstenFastPath, MatchesPlainLoopsAt50KvWithRhodium) {
  expectFastEqualsPlain(
      settingsText("50.0", "22.0", "00.0", "00.80", "00.00", "00.000", "00.050", "1"));
}

TEST(VessickRun, WritesBothFilesWithoutReadingTheMolybdenumTable) {
  RunDirectory directory;
  std::filesystem::remove(directory.path() / "Mo-STP.dat");
  directory.write("B2F.dat",
                  settingsText("50.0", "22.0", "00.0", "00.80", "00.00", "00.000", "00.050", "1"));
  vessick::TungstenModel model;
  const testrun::RunOutcome outcome = directory.run(model, "\n");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out.substr(outcome.out.size() - 27), "Stop - Program terminated.\n");
  const std::vector<std::string> axis = splitLines(directory.read("Beam_Axis.dat"));
  ASSERT_EQ(axis.size(), 264u);
  EXPECT_EQ(axis[0], " 1");
  EXPECT_EQ(axis[7], "  .050");
  EXPECT_EQ(axis[9], "    .2   .00000");
  EXPECT_NE(axis[9 + 250 - 1].substr(8), "  .00000");  // N = 250 at 50.0 kV
  const std::vector<std::string> result = splitLines(directory.read("Result.dat"));
  ASSERT_EQ(result.size(), 156u);
  for (int line : {2, 54, 106}) EXPECT_EQ(result[line - 1].substr(0, 11), "  .1000E+01");
}

TEST(VessickRun, WithoutFiltersOnlyTheInverseSquareVariesAlongAColumn) {
  RunDirectory directory;
  // All four thicknesses and the air layer (the ninth value) 0.
  std::string settings =
      settingsText("30.0", "22.0", "00.0", "00.00", "00.00", "00.000", "00.000", "1");
  settings.replace(settings.find("60.000"), 6, "0.0");
  directory.write("B2F.dat", settings);
  const CoefficientTable table = engine::readCoefficientTable(directory.path() / "MUs3.dat");
  const BeamParameters p = engine::readParameterFile(directory.path() / "B2F.dat");
  ASSERT_EQ(p.airLayer, 0.0f);
  vessick::TungstenModel model;
  std::ostringstream warnings;
  const engine::RelativeMaps maps = engine::computeField(
      *model.beginRun(p, table), p, table, [](auto&, auto&) {}, warnings);
  for (int j = 1; j <= 76; j += 5) {
    const double x = 0.2 * (j - 1);
    const int top = engine::mapIndex(j, 1);
    for (int k = 1; k <= 51; ++k) {
      const double y = 0.2 * (k - 1);
      const int index = engine::mapIndex(j, k);
      const double falloff = (x * x + 4225) / (x * x + y * y + 4225);
      EXPECT_NEAR(maps.fluence[index] / maps.fluence[top], falloff, 2e-6) << j << " " << k;
      EXPECT_NEAR(maps.kerma[index] / maps.kerma[top], falloff, 2e-6) << j << " " << k;
      EXPECT_NEAR(maps.hvl[index], maps.hvl[top], 2e-5 * maps.hvl[top]) << j << " " << k;
      if (j == 1) {
        EXPECT_NEAR(maps.kerma[index], 4225 / (y * y + 4225), 2e-6) << k;
      }
    }
  }
}

}  // namespace
