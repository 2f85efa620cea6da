// The floating-point environment the engines' values depend on: gradual underflow, and
// no fusing of multiplies and adds in code built on the engine library.

#include <gtest/gtest.h>
#include <xmmintrin.h>

namespace {

TEST(FloatEnvironment, SubnormalsAreNeitherFlushedNorTreatedAsZero) {
  constexpr unsigned kFlushToZero = 1u << 15;
  constexpr unsigned kDenormalsAreZero = 1u << 6;
  EXPECT_EQ(_mm_getcsr() & (kFlushToZero | kDenormalsAreZero), 0u);
  volatile float smallestNormal = 1.17549435e-38f;
  EXPECT_GT(smallestNormal * 0.5f, 0.0f);
}

TEST(FloatEnvironment, MultiplyAndAddAreRoundedSeparately) {
  // 1 + 2^-12 squared is 1 + 2^-11 + 2^-24; the product rounds the last term away (ties
  // to even), so a fused multiply-add would give 2^-24 here instead of 0.
  volatile float a = 1.0f + 0x1p-12f;
  volatile float c = -(1.0f + 0x1p-11f);
  const float separate = a * a + c;
  EXPECT_EQ(separate, 0.0f);
}

}  // namespace
