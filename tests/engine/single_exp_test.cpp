#include "engine/single_exp.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// True when `result` is at most one float step away from the exact value `exact`.
bool withinOneUlp(float result, double exact) {
  const double below = std::nextafter(result, -kInfinity);
  const double above = std::nextafter(result, kInfinity);
  return below <= exact && exact <= above;
}

// Every `stride`-th float from 0 up to `limit` (by bit pattern), with the given sign.
std::vector<float> sampledFloats(float limit, std::uint32_t stride, bool negative) {
  std::vector<float> values;
  const std::uint32_t last = std::bit_cast<std::uint32_t>(limit);
  const std::uint32_t sign = negative ? 0x80000000u : 0;
  for (std::uint32_t bits = 0; bits <= last; bits += stride) {
    values.push_back(std::bit_cast<float>(bits | sign));
  }
  return values;
}

TEST(SingleExp, WithinOneUlpOfTheExactValueAndAlmostAlwaysCorrectlyRounded) {
  // From the overflow bound down past the last subnormal, every 97th float.
  std::vector<float> arguments = sampledFloats(88.8f, 97, false);
  const std::vector<float> negatives = sampledFloats(104.0f, 97, true);
  arguments.insert(arguments.end(), negatives.begin(), negatives.end());

  std::size_t correctlyRounded = 0;
  std::size_t failures = 0;
  for (const float x : arguments) {
    const double exact = std::exp(static_cast<double>(x));
    const float result = engine::expSingle(x);
    if (!withinOneUlp(result, exact) && ++failures <= 5) {
      ADD_FAILURE() << "x = " << x << ": " << result << " against " << exact;
    }
    if (result == static_cast<float>(exact)) ++correctlyRounded;
  }
  EXPECT_EQ(failures, 0u);
  EXPECT_GT(static_cast<double>(correctlyRounded) / static_cast<double>(arguments.size()), 0.9999);
}

TEST(SingleExp, ExactOneAtZeroAndSaturatesOutsideTheFloatRange) {
  EXPECT_EQ(engine::expSingle(0.0f), 1.0f);
  EXPECT_EQ(engine::expSingle(-0.0f), 1.0f);
  // Below ln(2^-150) the exact value rounds to 0; above ln(FLT_MAX) to infinity.
  for (const float x : {-104.0f, -110.0f, -1000.0f, -3.0e38f, -kInfinity}) {
    EXPECT_EQ(engine::expSingle(x), 0.0f) << x;
  }
  for (const float x : {88.8f, 100.0f, 1.0e30f, kInfinity}) {
    EXPECT_EQ(engine::expSingle(x), kInfinity) << x;
  }
  EXPECT_TRUE(std::isfinite(engine::expSingle(88.72f)));
  // The smallest subnormal: exp(-103.2) = 1.48e-45.
  EXPECT_EQ(engine::expSingle(-103.2f), std::numeric_limits<float>::denorm_min());
}

TEST(SingleExp, ArrayEqualsScalarBitForBitAlsoInPlaceAndUnaligned) {
  std::mt19937 generator(12345);
  std::uniform_real_distribution<float> wide(-120.0f, 95.0f);
  std::uniform_real_distribution<float> small(-0.5f, 0.5f);
  std::vector<float> arguments = {0.0f, -0.0f, -kInfinity, kInfinity, -103.2f, 88.7f, 1e-30f};
  for (int k = 0; k < 20000; ++k) arguments.push_back(wide(generator));
  for (int k = 0; k < 20000; ++k) arguments.push_back(small(generator));
  arguments.push_back(-1.0f);  // an odd count leaves a scalar tail

  const auto expectScalarBits = [&](const float* in, const float* out, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
      ASSERT_EQ(std::bit_cast<std::uint32_t>(out[k]),
                std::bit_cast<std::uint32_t>(engine::expSingle(in[k])))
          << "argument " << in[k];
    }
  };

  std::vector<float> out(arguments.size());
  engine::expSingleArray(arguments.data(), out.data(), arguments.size());
  expectScalarBits(arguments.data(), out.data(), arguments.size());

  const std::size_t shifted = arguments.size() - 1;
  engine::expSingleArray(arguments.data() + 1, out.data() + 1, shifted);
  expectScalarBits(arguments.data() + 1, out.data() + 1, shifted);

  std::vector<float> inPlace = arguments;
  engine::expSingleArray(inPlace.data(), inPlace.data(), inPlace.size());
  expectScalarBits(arguments.data(), inPlace.data(), arguments.size());
}

}  // namespace
