#include "engine/single_functions.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "engine/float_rules.h"

namespace engine {
namespace {

// Coefficients of the series below, each the double nearest to its fraction.
template <std::size_t N, typename Term>
constexpr std::array<double, N> seriesCoefficients(Term term) {
  std::array<double, N> c{};
  for (std::size_t n = 0; n < N; ++n) c[n] = term(static_cast<int>(n));
  return c;
}

constexpr double factorial(int n) { return n <= 1 ? 1.0 : n * factorial(n - 1); }
constexpr double alternating(int n) { return n % 2 == 0 ? 1.0 : -1.0; }

// sin r = r S(r^2), cos r = C(r^2) by their Taylor series; on |r| <= pi/4 the first
// omitted terms are below 1e-19.
constexpr auto kSine =
    seriesCoefficients<11>([](int n) { return alternating(n) / factorial(2 * n + 1); });
constexpr auto kCosine =
    seriesCoefficients<12>([](int n) { return alternating(n) / factorial(2 * n); });
// atan t = t A(t^2) with A(z) = sum (-1)^n z^n / (2n + 1); used on |t| <= tan(pi/16),
// where the first omitted term is below 1e-20.
constexpr auto kArcTangent =
    seriesCoefficients<15>([](int n) { return alternating(n) / (2.0 * n + 1.0); });
// ln m = 2 s L(s^2) with s = (m - 1) / (m + 1) and L(z) = sum z^n / (2n + 1); used on
// |s| <= 0.1716 (m within a factor sqrt 2 of 1), first omitted term below 1e-19.
constexpr auto kAreaTangent = seriesCoefficients<13>([](int n) { return 1.0 / (2.0 * n + 1.0); });

template <std::size_t N>
double horner(const std::array<double, N>& c, double z) {
  double sum = c[N - 1];
  for (std::size_t n = N - 1; n-- > 0;) sum = sum * z + c[n];
  return sum;
}

// pi / 2 as three parts: the first two carry 33 bits each, so that k times them is exact
// for |k| < 2^20; the three together hold pi / 2 to about 120 bits.
constexpr double kHalfPiHigh = 0x1.921fb544p0;
constexpr double kHalfPiMiddle = 0x1.0b4611a6p-34;
constexpr double kHalfPiLow = 0x1.3198a2e037073p-69;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr double kHalfPi = 0x1.921fb54442d18p0;

// ln 2 as two parts: the first carries 40 bits, so that k times it is exact for the
// binary exponents of every float.
constexpr double kLn2High = 0x1.62e42fefa4p-1;
constexpr double kLn2Low = -0x1.8432a1b0e2634p-43;
constexpr double kLn2 = 0x1.62e42fefa39efp-1;

// Adding 1.5 * 2^52 rounds a double of magnitude below 2^51 to an integer.
constexpr double kRoundingShift = 0x1.8p52;
constexpr double kLargestExactInteger = 0x1p53;

bool isOddInteger(double k) {
  return std::fabs(k) < kLargestExactInteger && (static_cast<std::int64_t>(k) & 1) != 0;
}

// ln of a positive, finite float in double: the argument as 2^k m with m within a
// factor sqrt 2 of 1 (exact), then k ln 2 + ln m.
struct SplitLogarithm {
  double exponent;     // k
  double logMantissa;  // ln m
};
SplitLogarithm splitLogarithm(float x) {
  const auto bits = std::bit_cast<std::uint64_t>(static_cast<double>(x));
  constexpr int kMantissaBits = 52;
  constexpr std::uint64_t kMantissaMask = (std::uint64_t{1} << kMantissaBits) - 1;
  constexpr std::uint64_t kBias = 1023;
  int exponent = static_cast<int>(bits >> kMantissaBits) - static_cast<int>(kBias);
  double m = std::bit_cast<double>((bits & kMantissaMask) | (kBias << kMantissaBits));
  constexpr double kSqrt2 = 0x1.6a09e667f3bcdp0;
  if (m > kSqrt2) {
    m = m * 0.5;
    ++exponent;
  }
  const double s = (m - 1.0) / (m + 1.0);
  return {static_cast<double>(exponent), 2.0 * s * horner(kAreaTangent, s * s)};
}

// The special values shared by both logarithms; empty for a positive, finite argument.
std::optional<float> logarithmSpecialCase(float x) {
  if (std::isnan(x) || x == std::numeric_limits<float>::infinity()) return x;
  if (x == 0.0f) return -std::numeric_limits<float>::infinity();
  if (x < 0.0f) return std::numeric_limits<float>::quiet_NaN();
  return std::nullopt;
}

// The exact product a * b of two doubles as p + e (Dekker): p = a * b rounded, e the
// rounding error, exactly (no fused multiply-add here: the splits must round).
struct ExactProduct {
  double rounded;
  double error;
};
ExactProduct exactProduct(double a, double b) {
  constexpr double kSplitter = 0x1p27 + 1.0;
  const auto split = [](double v, double& high, double& low) {
    const double c = kSplitter * v;
    high = c - (c - v);
    low = v - high;
  };
  double aHigh, aLow, bHigh, bLow;
  split(a, aHigh, aLow);
  split(b, bHigh, bLow);
  const double p = a * b;
  const double e = ((aHigh * bHigh - p) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
  return {p, e};
}

// p + e (|e| at most half a unit of p's last place) rounded once to float. Rounding p
// alone gives that float unless p lies exactly halfway between two floats; then the
// sign of e decides.
float roundOnce(ExactProduct product) {
  const double p = product.rounded;
  const float nearest = static_cast<float>(p);
  if (product.error == 0.0 || std::isinf(nearest) || static_cast<double>(nearest) == p) {
    return nearest;
  }
  // The float on p's other side (nextafter is exact in every C library).
  const float other =
      std::nextafter(nearest, p > nearest ? std::numeric_limits<float>::infinity()
                                          : -std::numeric_limits<float>::infinity());
  const double midpoint = (static_cast<double>(nearest) + static_cast<double>(other)) * 0.5;
  if (p != midpoint) return nearest;
  const bool exactAbove = product.error > 0.0;
  const float larger = std::max(nearest, other);
  const float smaller = std::min(nearest, other);
  return exactAbove ? larger : smaller;
}

}  // namespace

float tanSingle(float x) {
  if (!std::isfinite(x)) return x - x;
  // x = k pi/2 + r with |r| <= pi/4; tan x = tan r for even k, -1 / tan r for odd k.
  const double argument = x;
  const double y = argument * kTwoOverPi;
  const double k = std::fabs(y) < kRoundingShift ? (y + kRoundingShift) - kRoundingShift : y;
  double r = ((argument - k * kHalfPiHigh) - k * kHalfPiMiddle) - k * kHalfPiLow;
  // Only an argument beyond the exact reduction can leave r outside; keep it finite.
  r = std::clamp(r, -kHalfPi, kHalfPi);
  const double z = r * r;
  const double sine = r * horner(kSine, z);
  const double cosine = horner(kCosine, z);
  return static_cast<float>(isOddInteger(k) ? -cosine / sine : sine / cosine);
}

float atanSingle(float x) {
  if (std::isnan(x)) return x;
  double a = std::fabs(static_cast<double>(x));
  // atan a = pi/2 - atan(1/a) above 1; two halvings atan t = 2 atan(t / (1 + sqrt(1 + t^2)))
  // bring the argument to at most tan(pi/16).
  const bool reciprocal = a > 1.0;
  if (reciprocal) a = 1.0 / a;
  for (int halving = 0; halving < 2; ++halving) a = a / (1.0 + std::sqrt(1.0 + a * a));
  const double reduced = 4.0 * (a * horner(kArcTangent, a * a));
  const double magnitude = reciprocal ? kHalfPi - reduced : reduced;
  const auto result = static_cast<float>(magnitude);
  return std::signbit(x) ? -result : result;
}

namespace {

// The three floats whose logarithm lies so near the midpoint of two floats (within 1e-17
// relative) that the double evaluation above rounds it the wrong way; their correctly
// rounded logarithms, found by comparing every float with the long double logarithm
// (tools/check_single_functions.cpp).
struct HardCase {
  std::uint32_t argument;
  std::uint32_t logarithm;
};
constexpr std::array<HardCase, 3> kLogarithmHardCases{{
    {0x3c413d3a, 0xc08e158f},  // 0x1.827a74p-7: -0x1.1c2b1ep+2
    {0x65d890d3, 0x4254d1f9},  // 0x1.b121a6p+76: 0x1.a9a3f2p+5
    {0x6f31a8ec, 0x42845a89},  // 0x1.6351d8p+95: 0x1.08b512p+6
}};

}  // namespace

float logSingle(float x) {
  if (const std::optional<float> special = logarithmSpecialCase(x)) return *special;
  const auto bits = std::bit_cast<std::uint32_t>(x);
  for (const HardCase& hard : kLogarithmHardCases) {
    if (bits == hard.argument) return std::bit_cast<float>(hard.logarithm);
  }
  const SplitLogarithm split = splitLogarithm(x);
  return static_cast<float>(split.exponent * kLn2High +
                            (split.exponent * kLn2Low + split.logMantissa));
}

float log2Single(float x) {
  if (const std::optional<float> special = logarithmSpecialCase(x)) return *special;
  const SplitLogarithm split = splitLogarithm(x);
  return static_cast<float>(split.exponent + split.logMantissa / kLn2);
}

float cubeSingle(float x) {
  // x^2 is exact in double (48 bits); x^3 = x^2 * x exactly as p + e.
  const double square = static_cast<double>(x) * static_cast<double>(x);
  return roundOnce(exactProduct(square, x));
}

float fourthPowerSingle(float x) {
  const double square = static_cast<double>(x) * static_cast<double>(x);
  return roundOnce(exactProduct(square, square));
}

}  // namespace engine
