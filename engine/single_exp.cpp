#include "engine/single_exp.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/float_rules.h"
#include "engine/lane_arithmetic.h"

namespace engine {
namespace {

// Floats ordered as signed integers: a negative float gets its magnitude bits flipped.
// The map is its own inverse. Clamping and the NaN test work on these integers because
// GCC keeps a floating-point comparison as a branch (it may raise an IEEE flag), and a
// branch in the loop would stop the vectorisation.
template <typename Int>
constexpr Int orderedBits(Int bits) {
  return bits ^ ((bits >> 31) & 0x7fffffff);
}

// Outside [-110, 100] the float result is already 0 or +infinity; clamping keeps 2^n a
// normal double below.
constexpr std::int32_t kLowestKey = orderedBits(std::bit_cast<std::int32_t>(-110.0f));
constexpr std::int32_t kHighestKey = orderedBits(std::bit_cast<std::int32_t>(100.0f));
constexpr std::int32_t kMagnitudeMask = 0x7fffffff;
constexpr std::int32_t kInfinityBits = 0x7f800000;

constexpr double kLog2e = 0x1.71547652b82fep0;
// Adding 1.5 * 2^52 rounds a double of magnitude below 2^51 to an integer, which then
// sits in the low bits of the sum's representation.
constexpr double kRoundingShift = 0x1.8p52;
constexpr std::uint64_t kExponentBias = 1023;
constexpr int kMantissaBits = 52;

// 2^f on |f| <= 1/2 by a polynomial of degree 8 (interpolation at the Chebyshev nodes,
// close to the minimax fit; scripts/derive_exp_coefficients.py computes them): relative
// error at most 1.1e-12, so the one rounding to float decides the result almost always,
// and it is never off by more than one float step.
constexpr std::array<double, 9> kCoefficients = {
    1.0,
    0.6931471805459334,
    0.24022650695813885,
    0.055504109412062366,
    0.00961812915926574,
    0.0013333450567845832,
    0.0001540345592636818,
    1.5310079419174563e-05,
    1.3255211567780395e-06,
};

// The kernel's types for one float, and for the lanes of a register where the compiler
// would not vectorise the conversions well by itself: the kernel is written once for both.
template <typename Float>
struct KernelTypes {
  using Int = std::int32_t;
  using Double = double;
  using Bits = std::uint64_t;
  static Double widen(Float x) { return static_cast<double>(x); }
  static Float narrow(Double x) { return static_cast<float>(x); }
};
#ifdef __wasm_simd128__
template <>
struct KernelTypes<RegisterLanes> {
  using Int = std::int32_t __attribute__((vector_size(kRegisterLanes * sizeof(std::int32_t))));
  using Double = WideRegisterLanes;
  using Bits = std::uint64_t __attribute__((vector_size(kRegisterLanes * sizeof(std::uint64_t))));
  [[gnu::always_inline]] static Double widen(RegisterLanes x) { return engine::widen(x); }
  [[gnu::always_inline]] static RegisterLanes narrow(Double x) { return engine::narrow(x); }
};
#endif

// Estrin's scheme: the same polynomial in a shallow tree of operations, so that the
// vectorised loop is not held up by one long chain of dependent multiplications.
template <typename Double>
[[gnu::always_inline]] inline Double polynomialOf(Double f) {
  const auto& c = kCoefficients;
  const Double f2 = f * f;
  const Double f4 = f2 * f2;
  const Double low = (c[0] + c[1] * f) + f2 * (c[2] + c[3] * f);
  const Double high = (c[4] + c[5] * f) + f2 * (c[6] + c[7] * f);
  return (low + f4 * high) + (f4 * f4) * c[8];
}

// Branch-free so that a loop over it vectorises; computed in double and rounded once.
template <typename Float>
[[gnu::always_inline]] inline Float exponentialKernel(Float x) {
  using Types = KernelTypes<Float>;
  using Int = typename Types::Int;
  using Double = typename Types::Double;
  const Int bits = std::bit_cast<Int>(x);
  const Int ordered = orderedBits(bits);
  const Int low = ordered < kLowestKey ? Int{} + kLowestKey : ordered;
  const Int key = low > kHighestKey ? Int{} + kHighestKey : low;
  const Double argument = Types::widen(std::bit_cast<Float>(orderedBits(key)));

  // e^x = 2^y = 2^n * 2^f with n = round(y), |f| <= 1/2 exact. The one rounding of
  // y = x log2(e) (|y| < 160) moves the result by less than 3e-14 relative.
  const Double y = argument * kLog2e;
  const Double shifted = y + kRoundingShift;
  const Double f = y - (shifted - kRoundingShift);
  const Double polynomial = polynomialOf(f);

  // 2^n built in the exponent field: the low bits of `shifted` hold n (two's complement),
  // and the shift drops everything above them.
  using Bits = typename Types::Bits;
  const Bits scaleBits = (std::bit_cast<Bits>(shifted) + kExponentBias) << kMantissaBits;
  const Int result =
      std::bit_cast<Int>(Types::narrow(polynomial * std::bit_cast<Double>(scaleBits)));
  // A NaN argument is returned as it is (selected by a mask, not a branch).
  const Int nanMask = (bits & kMagnitudeMask) > kInfinityBits ? Int{} - 1 : Int{};
  return std::bit_cast<Float>((bits & nanMask) | (result & ~nanMask));
}

}  // namespace

float expSingle(float x) { return exponentialKernel(x); }

// The AVX-512 and AVX2 clones only widen the vectors: neither enables fused multiply-add,
// so they perform the same IEEE operations and every path gives the same floats.
ENGINE_VECTOR_CLONES void expSingleArray(const float* in, float* out, std::size_t count) {
  std::size_t k = 0;
#ifdef __wasm_simd128__
  for (; k + kRegisterLanes <= count; k += kRegisterLanes) {
    RegisterLanes lanes;
    std::memcpy(&lanes, in + k, sizeof lanes);
    lanes = exponentialKernel(lanes);
    std::memcpy(out + k, &lanes, sizeof lanes);
  }
#endif
  for (; k < count; ++k) out[k] = exponentialKernel(in[k]);
}

}  // namespace engine
