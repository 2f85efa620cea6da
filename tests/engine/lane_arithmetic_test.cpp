// The double-path products and quotients against plain float arithmetic, and the HVL
// search on spectra whose weights pass through the subnormal range.

#include "engine/lane_arithmetic.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/point_quantities.h"

namespace {

using engine::Lanes;

// Operands spread over the whole float range, subnormal ones and exact halfway cases of the
// subnormal grid included (2^-149 * 1.5 and * 0.5 round to even).
std::vector<float> operands() {
  std::vector<float> values = {0.0f,     -0.0f,    1.0f,     0.5f,        1.5f,        0.2f,
                               3.0e-39f, 1.0e-45f, 2.0e-45f, 0x1p-126f,   0x1.8p-127f, 7.3e-41f,
                               1.0e-30f, 5.0e-20f, 0.999f,   123456.789f, 1.0e30f,     0.7f};
  for (int k = 0; k < 40; ++k) values.push_back(std::ldexp(1.0f + 0.01f * k, -150 + 4 * k));
  return values;
}

std::uint32_t bits(float value) { return std::bit_cast<std::uint32_t>(value); }

// Lane-wise results against the plain operations, every pair of operands.
TEST(LaneArithmetic, ProductsAndQuotientsAreTheFloatOperations) {
  const std::vector<float> values = operands();
  for (float a : values) {
    Lanes left{};
    Lanes right{};
    for (std::size_t k = 0; k < values.size(); k += engine::kLanes) {
      for (int lane = 0; lane < engine::kLanes; ++lane) {
        left[lane] = a;
        right[lane] = values[(k + lane) % values.size()];
      }
      const Lanes product = engine::roundedProduct(left, right);
      const Lanes byScalar = engine::roundedProduct(right, a);
      const Lanes quotient = engine::roundedQuotient(right, left);
      for (int lane = 0; lane < engine::kLanes; ++lane) {
        const volatile float b = right[lane];
        EXPECT_EQ(bits(product[lane]), bits(a * b)) << a << " * " << b;
        EXPECT_EQ(bits(byScalar[lane]), bits(b * a)) << b << " * " << a;
        if (a != 0.0f) {
          EXPECT_EQ(bits(quotient[lane]), bits(b / a)) << b << " / " << a;
        }
      }
    }
  }
}

// Lengths around the lane count, so that full and partial vectors are both used.
TEST(LaneArithmetic, ArrayFormsCoverEveryLength) {
  const std::vector<float> values = operands();
  for (std::size_t count : {0u, 1u, 15u, 16u, 17u, 33u, 58u}) {
    std::vector<float> a(count);
    std::vector<float> b(count);
    std::vector<float> sum(count + 1, 0.25f);  // the element past the end stays untouched
    for (std::size_t k = 0; k < count; ++k) {
      a[k] = values[k % values.size()];
      b[k] = values[(3 * k + 1) % values.size()];
    }
    std::vector<float> product(count + 1, 0.25f);
    engine::multiplyArrays(a.data(), b.data(), product.data(), count);
    engine::addProducts(a.data(), b.data(), sum.data(), static_cast<int>(count));
    for (std::size_t k = 0; k < count; ++k) {
      const volatile float plain = a[k] * b[k];
      EXPECT_EQ(bits(product[k]), bits(plain)) << k;
      EXPECT_EQ(bits(sum[k]), bits(0.25f + plain)) << k;
    }
    EXPECT_EQ(product[count], 0.25f);
    EXPECT_EQ(sum[count], 0.25f);
  }
}

// Spectra whose low bins start deep in (or reach during the search) the subnormal range,
// with different zero patterns per point, against the plain loops.
TEST(LaneArithmetic, HalfValueLayerThroughSubnormalWeights) {
  engine::CoefficientTable table;
  for (int bin = 1; bin <= engine::kBinCount; ++bin) {
    const double cube = std::pow(10.0 / (0.2 * bin), 3);
    table.muAl[bin] = static_cast<float>(2.699 * (26.0 * cube + 0.17));
    table.muEnAir[bin] = static_cast<float>(4.6 * cube + 0.02);
  }
  const int highest = 150;
  std::vector<engine::Spectrum> spectra(37);
  for (std::size_t point = 0; point < spectra.size(); ++point) {
    for (int bin = 2; bin <= highest; ++bin) {
      // About 10^-45 at the lowest bins rising to order 1 at bin 60.
      const double exponent = -45.0 + 45.0 * std::min(1.0, (bin - 2) / 58.0);
      spectra[point][bin] = static_cast<float>(std::pow(10.0, exponent) * (1.0 + 0.03 * point));
    }
    if (point % 3 == 0) spectra[point][5 + point % 7] = 0.0f;
    if (point % 5 == 1) spectra[point][20] = 0x1p-149f;
  }
  const engine::PointQuantityCalculator calculator(table, highest);
  std::vector<engine::PointQuantities> fast(spectra.size());
  calculator.compute(spectra, fast);
  for (std::size_t point = 0; point < spectra.size(); ++point) {
    const engine::PointQuantities plain =
        engine::computePlainPointQuantities(spectra[point], highest, table);
    EXPECT_EQ(bits(fast[point].energyFluence), bits(plain.energyFluence)) << point;
    EXPECT_EQ(bits(fast[point].airKerma), bits(plain.airKerma)) << point;
    EXPECT_EQ(bits(fast[point].hvl), bits(plain.hvl)) << point;
    EXPECT_TRUE(plain.defined) << point;
  }
}

}  // namespace
