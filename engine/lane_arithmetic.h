#pragma once

// Single-precision products and quotients that give exactly the float the plain operation
// gives, computed without subnormal operands or results in the floating-point unit.
//
// Why: on current x86 processors a float multiplication or division whose operand or
// result is subnormal (below 2^-126) takes a microcode assist of more than a hundred
// cycles, while conversions between float and double and float additions do not. The
// spectra of a run reach far into the subnormal range at low photon energies, and the
// assists would cost about as much as the arithmetic itself.
//
// Only the vector forms below keep the double arithmetic: GCC shortens a scalar
// (float)((double)a * (double)b) back to a float multiplication, rightly so for its value.
//
// How: the product of two floats is exact in double (24 + 24 bits <= 53), so rounding it
// to float is the one rounding of the float product, subnormal results included. For a
// quotient, rounding first to double and then to float gives the correctly rounded float
// quotient as well, because double carries more than 2 * 24 + 2 bits; this also holds
// for subnormal results, whose grid is coarser still. None of these steps produces a
// subnormal double.

#include <cstddef>
#include <cstring>
#ifdef __wasm_simd128__
#include <wasm_simd128.h>
#endif

#include "engine/bins.h"

namespace engine {

inline constexpr int kLanes = 16;
using Lanes = float __attribute__((vector_size(kLanes * sizeof(float))));
using WideLanes = double __attribute__((vector_size(kLanes * sizeof(double))));
using HalfLanes = double __attribute__((vector_size(kLanes / 2 * sizeof(double))));

// The lanes widened to double, exactly.
[[gnu::always_inline]] inline WideLanes widen(Lanes value) {
  return __builtin_convertvector(value, WideLanes);
}

// The lanes one vector register holds. WebAssembly's registers hold four floats: a loop that
// keeps several lane vectors live takes the lanes a register's worth at a time there, so
// that its values stay in registers instead of going to memory at every operation.
#ifdef __wasm_simd128__
inline constexpr int kRegisterLanes = 4;
using RegisterLanes = float __attribute__((vector_size(kRegisterLanes * sizeof(float))));
using WideRegisterLanes = double __attribute__((vector_size(kRegisterLanes * sizeof(double))));

[[gnu::always_inline]] inline WideRegisterLanes widen(RegisterLanes value) {
  return __builtin_convertvector(value, WideRegisterLanes);
}

// Rounded to float by two of WebAssembly's demote instructions: its compiler turns a plain
// conversion of a double vector into one scalar conversion per lane.
[[gnu::always_inline]] inline RegisterLanes narrow(WideRegisterLanes wide) {
  using Pair = double __attribute__((vector_size(2 * sizeof(double))));
  const v128_t low = wasm_f32x4_demote_f64x2_zero(
      reinterpret_cast<v128_t>(Pair(__builtin_shufflevector(wide, wide, 0, 1))));
  const v128_t high = wasm_f32x4_demote_f64x2_zero(
      reinterpret_cast<v128_t>(Pair(__builtin_shufflevector(wide, wide, 2, 3))));
  return reinterpret_cast<RegisterLanes>(wasm_i64x2_shuffle(low, high, 0, 2));
}

// a * factor in float, lane by lane, through double as the roundedProduct below.
[[gnu::always_inline]] inline RegisterLanes roundedProduct(RegisterLanes a, double factor) {
  return narrow(widen(a) * factor);
}
#else
inline constexpr int kRegisterLanes = kLanes;
using RegisterLanes = Lanes;
#endif
static_assert(kLanes % kRegisterLanes == 0, "whole registers");

// The lanes rounded to float, each by one IEEE conversion.
[[gnu::always_inline]] inline Lanes narrow(WideLanes wide) {
#ifdef __wasm_simd128__
  using Half = float __attribute__((vector_size(kLanes / 2 * sizeof(float))));
  const Half low = __builtin_shufflevector(narrow(__builtin_shufflevector(wide, wide, 0, 1, 2, 3)),
                                           narrow(__builtin_shufflevector(wide, wide, 4, 5, 6, 7)),
                                           0, 1, 2, 3, 4, 5, 6, 7);
  const Half high = __builtin_shufflevector(
      narrow(__builtin_shufflevector(wide, wide, 8, 9, 10, 11)),
      narrow(__builtin_shufflevector(wide, wide, 12, 13, 14, 15)), 0, 1, 2, 3, 4, 5, 6, 7);
  return __builtin_shufflevector(low, high, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
#else
  return __builtin_convertvector(wide, Lanes);
#endif
}

// Every lane of `wide` times `factor`, rounded to float once. The two halves are multiplied
// separately so that the compiler keeps the scalar in one register.
[[gnu::always_inline]] inline Lanes roundedProduct(WideLanes wide, double factor) {
  const HalfLanes low = __builtin_shufflevector(wide, wide, 0, 1, 2, 3, 4, 5, 6, 7) * factor;
  const HalfLanes high = __builtin_shufflevector(wide, wide, 8, 9, 10, 11, 12, 13, 14, 15) * factor;
  return narrow(
      __builtin_shufflevector(low, high, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15));
}

// a * b in float, lane by lane (b a float, or a float widened to double).
[[gnu::always_inline]] inline Lanes roundedProduct(Lanes a, double b) {
  return roundedProduct(widen(a), b);
}

// a * b in float, lane by lane.
[[gnu::always_inline]] inline Lanes roundedProduct(Lanes a, Lanes b) {
  return narrow(widen(a) * widen(b));
}

// a / b in float, lane by lane.
[[gnu::always_inline]] inline Lanes roundedQuotient(Lanes a, Lanes b) {
  return narrow(widen(a) / widen(b));
}

// Whether any lane holds a value other than +0 or -0. Written with integer operations: GCC
// turns a lane-wise float comparison that feeds a branch into scalar code.
[[gnu::always_inline]] inline bool anyNonZero(Lanes value) {
  using LaneBits = int __attribute__((vector_size(kLanes * sizeof(int))));
  LaneBits bits = reinterpret_cast<LaneBits>(value) & 0x7fffffff;
  bits |= __builtin_shufflevector(bits, bits, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2, 3, 4, 5, 6, 7);
  bits |= __builtin_shufflevector(bits, bits, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3);
  bits |= __builtin_shufflevector(bits, bits, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1);
  return (bits[0] | bits[1]) != 0;
}

// Whether a lane holds a value that is not 0 but smaller than the lane's smallest safe value:
// the float operation would then risk subnormal operands or results.
[[gnu::always_inline]] inline bool anyTinyLane(Lanes value, Lanes smallestSafe) {
  return anyNonZero(value < smallestSafe ? value : Lanes{});
}

// The first `count` floats from `from` (at most kLanes); the other lanes are 0.
[[gnu::always_inline]] inline Lanes loadLanes(const float* from, int count) {
  Lanes value{};
  if (count == kLanes) {
    std::memcpy(&value, from, sizeof value);
  } else {
    std::memcpy(&value, from, static_cast<std::size_t>(count) * sizeof(float));
  }
  return value;
}

// Stores the first `count` lanes (at most kLanes).
[[gnu::always_inline]] inline void storeLanes(Lanes value, float* to, int count) {
  if (count == kLanes) {
    std::memcpy(to, &value, sizeof value);
  } else {
    std::memcpy(to, &value, static_cast<std::size_t>(count) * sizeof(float));
  }
}

// The register's worth of lanes of `value` from lane `first` on.
[[gnu::always_inline]] inline RegisterLanes registerPart(const Lanes& value, int first) {
  RegisterLanes part;
  std::memcpy(&part, reinterpret_cast<const float*>(&value) + first, sizeof part);
  return part;
}

[[gnu::always_inline]] inline void setRegisterPart(Lanes& value, int first, RegisterLanes part) {
  std::memcpy(reinterpret_cast<float*>(&value) + first, &part, sizeof part);
}

// out[k] = a[k] * b[k] in float for k < count, without subnormal operations. out may be a or b.
void multiplyArrays(const float* a, const float* b, float* out, std::size_t count);

// sum[k] = sum[k] + a[k] * b[k] in float for k < count, without subnormal operations.
void addProducts(const float* a, const float* b, float* sum, int count);

}  // namespace engine
