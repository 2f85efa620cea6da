// The engines' own float functions against a second method: the long double functions,
// rounded to float, on arguments spread over each function's range (a float whose long
// double value lies too near a rounding boundary to decide is skipped).

#include "engine/single_functions.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>

namespace {

// The float nearest `exact`, or nothing when `exact` lies within 2^-50 relative of the
// midpoint between two floats (the long double functions are not that accurate).
std::optional<float> decidedRounding(long double exact) {
  const float nearest = static_cast<float>(exact);
  if (!std::isfinite(nearest) || nearest == 0.0f) return nearest;
  const float other =
      std::nextafter(nearest, exact > nearest ? std::numeric_limits<float>::infinity()
                                              : -std::numeric_limits<float>::infinity());
  const long double midpoint = (static_cast<long double>(nearest) + other) / 2;
  if (std::fabs(exact - midpoint) < std::fabs(exact) * 0x1p-50L) return std::nullopt;
  return nearest;
}

template <typename Ours, typename Exact>
int countMisrounded(float lowest, float highest, Ours ours, Exact exact) {
  std::mt19937 random(2024);
  std::uniform_int_distribution<std::uint32_t> bits(std::bit_cast<std::uint32_t>(lowest),
                                                    std::bit_cast<std::uint32_t>(highest));
  int misrounded = 0;
  for (int k = 0; k < 200000; ++k) {
    const float x = std::bit_cast<float>(bits(random));
    const std::optional<float> wanted = decidedRounding(exact(x));
    if (wanted && std::bit_cast<std::uint32_t>(*wanted) != std::bit_cast<std::uint32_t>(ours(x))) {
      ADD_FAILURE() << x << ": " << ours(x) << " instead of " << *wanted;
      if (++misrounded > 5) break;
    }
  }
  return misrounded;
}

}  // namespace

TEST(SingleFunctions, AreTheCorrectlyRoundedValues) {
  // Positive arguments from 2^-20 up (the sign is handled by symmetry or refused).
  const float tiny = 0x1p-20f;
  EXPECT_EQ(countMisrounded(tiny, 0x1p20f, engine::tanSingle, [](float x) { return tanl(x); }), 0);
  EXPECT_EQ(countMisrounded(tiny, 1e30f, engine::atanSingle, [](float x) { return atanl(x); }), 0);
  EXPECT_EQ(countMisrounded(1e-30f, 1e30f, engine::logSingle, [](float x) { return logl(x); }), 0);
  EXPECT_EQ(countMisrounded(1e-30f, 1e30f, engine::log2Single, [](float x) { return log2l(x); }),
            0);
  EXPECT_EQ(countMisrounded(1e-12f, 1e12f, engine::cubeSingle, [](float x) { return powl(x, 3); }),
            0);
  EXPECT_EQ(
      countMisrounded(1e-9f, 1e9f, engine::fourthPowerSingle, [](float x) { return powl(x, 4); }),
      0);
}

TEST(SingleFunctions, SpecialValuesAndExactTies) {
  EXPECT_EQ(std::bit_cast<std::uint32_t>(engine::tanSingle(-0.0f)), 0x80000000u);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(engine::atanSingle(-0.0f)), 0x80000000u);
  EXPECT_TRUE(std::isnan(engine::tanSingle(std::numeric_limits<float>::infinity())));
  EXPECT_FLOAT_EQ(engine::atanSingle(-std::numeric_limits<float>::infinity()), -1.5707964f);
  EXPECT_EQ(engine::logSingle(1.0f), 0.0f);
  EXPECT_EQ(engine::log2Single(0x1p-140f), -140.0f);  // a subnormal argument
  EXPECT_EQ(engine::logSingle(0.0f), -std::numeric_limits<float>::infinity());
  EXPECT_TRUE(std::isnan(engine::logSingle(-1.0f)));
  // 32.5^4 = 1115664.0625 lies halfway between the floats 1115664 and 1115664.125: ties go
  // to the even one. 2^-50 cubed is below the smallest float: the nearest is 0.
  EXPECT_EQ(engine::fourthPowerSingle(32.5f), 1115664.0f);
  EXPECT_EQ(engine::cubeSingle(0x1p-50f), 0.0f);
  EXPECT_EQ(engine::cubeSingle(-3.0f), -27.0f);
  // ln(0x1.b121a6p+76) = 53.2050495147705080276..., 4e-18 relative above the midpoint
  // 53.20504951477050781250 of two floats: the upper one.
  EXPECT_EQ(engine::logSingle(0x1.b121a6p+76f), 0x1.a9a3f2p+5f);
}
