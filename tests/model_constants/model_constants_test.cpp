#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "dornic/molybdenum_model.h"
#include "engine/beam_parameters.h"
#include "engine/bins.h"
#include "engine/bremsstrahlung.h"
#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/model_constants.h"
#include "text_files/tube_setup.h"
#include "vessick/tungsten_model.h"

// palvane's double-precision model and the engines' single-precision one are separate
// implementations of one model. This table is its constants, typed once; each side is
// checked against it, so that a constant changed on one side only fails here.
namespace {

struct TargetConstants {
  double density;               // g/cm^3
  double prefactorConstant;     // cross-section prefactor: constant + slope * x
  double prefactorSlope;        // x: kV (molybdenum) or photon keV (tungsten)
  std::array<double, 4> shape;  // 1 - a u + b u^2 - c u^3 + d u^4
};
constexpr TargetConstants kMolybdenum{10.22, 0.03058, -7.494e-05, {4.238, 7.799, 6.739, 2.313}};
constexpr TargetConstants kTungsten{19.3, 0.03658, 2.9e-05, {5.049, 10.847, 10.516, 3.842}};
constexpr std::array<double, 3> kTungstenStoppingPower{202.41, 1036.1, 0.04695};
constexpr std::array<double, 5> kDepthEnergy{141766, 12157, -111.046, 0.552536, -0.000970158};
constexpr double kPi = 3.14159;
constexpr double kFocusToImage = 65;  // cm

double depthEnergy(double V) {
  double sum = 0;
  for (int n = 4; n >= 0; --n) sum = sum * V + kDepthEnergy[static_cast<std::size_t>(n)];
  return sum;
}

void expectEngineTarget(const engine::BremsstrahlungTarget& engineTarget,
                        const TargetConstants& table, bool slopeInEnergy) {
  EXPECT_EQ(engineTarget.density(), static_cast<float>(table.density));
  const engine::ShapePolynomial shape = engineTarget.shape();
  EXPECT_EQ(shape.a, static_cast<float>(table.shape[0]));
  EXPECT_EQ(shape.b, static_cast<float>(table.shape[1]));
  EXPECT_EQ(shape.c, static_cast<float>(table.shape[2]));
  EXPECT_EQ(shape.d, static_cast<float>(table.shape[3]));
  const float x = 30.0f;
  EXPECT_FLOAT_EQ(slopeInEnergy ? engineTarget.crossSectionPrefactor(0.0f, x)
                                : engineTarget.crossSectionPrefactor(x, 0.0f),
                  static_cast<float>(table.prefactorConstant + table.prefactorSlope * x));
}

TEST(ModelConstants, TheEnginesHoldTheTable) {
  engine::StoppingPowerTable stoppingPowers;
  for (int row = 0; row < engine::kStoppingPowerRows; ++row) {
    stoppingPowers.energy[static_cast<std::size_t>(row)] = 1.0f + 3.0f * static_cast<float>(row);
    stoppingPowers.stoppingPower[static_cast<std::size_t>(row)] = 100.0f;
  }
  const dornic::StoppingPowerInterpolation interpolation(stoppingPowers);
  expectEngineTarget(dornic::MolybdenumTarget(interpolation), kMolybdenum, false);
  expectEngineTarget(vessick::TungstenTarget(), kTungsten, true);
  for (double T : {1.0, 20.0, 50.0}) {
    const double expected = kTungstenStoppingPower[0] +
                            kTungstenStoppingPower[1] * std::exp(-kTungstenStoppingPower[2] * T);
    EXPECT_FLOAT_EQ(vessick::TungstenTarget().stoppingPower(static_cast<float>(T)), expected);
  }
  for (double V : {20.0, 35.0, 50.0}) {
    EXPECT_NEAR(engine::depthEnergyConstant(static_cast<float>(V)), depthEnergy(V),
                2e-7 * depthEnergy(V));
  }
  EXPECT_EQ(engine::kPi, static_cast<float>(kPi));
  EXPECT_EQ(engine::kFocusToPlane, static_cast<float>(kFocusToImage));
  EXPECT_EQ(engine::kFocusToPlaneSquared, static_cast<float>(kFocusToImage * kFocusToImage));
}

TEST(ModelConstants, PalvaneHoldsTheTable) {
  EXPECT_EQ(palvane::kMolybdenumDensity, kMolybdenum.density);
  EXPECT_EQ(palvane::kTungstenDensity, kTungsten.density);
  EXPECT_EQ(palvane::kMolybdenumPrefactor.constant, kMolybdenum.prefactorConstant);
  EXPECT_EQ(palvane::kMolybdenumPrefactor.slope, kMolybdenum.prefactorSlope);
  EXPECT_EQ(palvane::kTungstenPrefactor.constant, kTungsten.prefactorConstant);
  EXPECT_EQ(palvane::kTungstenPrefactor.slope, kTungsten.prefactorSlope);
  EXPECT_EQ(palvane::kMolybdenumShape, kMolybdenum.shape);
  EXPECT_EQ(palvane::kTungstenShape, kTungsten.shape);
  EXPECT_EQ(palvane::kTungstenStoppingPower, kTungstenStoppingPower);
  for (double V : {20.0, 35.0, 50.0}) {
    EXPECT_NEAR(palvane::ThomsonWhiddingtonConstant(V), depthEnergy(V), 1e-12 * depthEnergy(V));
  }
  EXPECT_EQ(palvane::kFocusToImageCm, kFocusToImage);
  // Straight down the tilt (alpha = phi), the path factor is 1 / tan theta with this pi.
  EXPECT_NEAR(*palvane::PathFactor(4.0, 4.0, 10.0, kPi), 1.0 / std::tan(kPi * 10.0 / 180.0), 1e-15);
}

// The thickest layers the model is made for (mm; the air in cm), which the engines and the
// settings table (sweep's options) each hold.
TEST(ModelConstants, TheThickestLayersAreTheSameOnBothSides) {
  const std::pair<double palvane::TubeSetup::*, std::array<double, 2>> thickest[]{
      {&palvane::TubeSetup::beryllium, {engine::kThickestBeryllium, 3}},
      {&palvane::TubeSetup::aluminium, {engine::kThickestAluminium, 10}},
      {&palvane::TubeSetup::molybdenum, {engine::kThickestMolybdenumFilter, 0.2}},
      {&palvane::TubeSetup::rhodium, {engine::kThickestRhodiumFilter, 0.2}},
      {&palvane::TubeSetup::airLayer, {engine::kThickestAirLayer, 65}}};
  for (const auto& [member, values] : thickest) {
    const auto& [engines, literal] = values;
    EXPECT_EQ(engines, literal);
    EXPECT_EQ(palvane::setupField(member).modelHighest, literal)
        << palvane::setupField(member).name;
  }
}

}  // namespace
