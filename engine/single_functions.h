#pragma once

namespace engine {

// The engines' own single-precision elementary functions, beside their exponential
// (single_exp.h). Every call of the engines goes through them instead of the C library,
// whose results differ between libraries and versions by a last bit; these are plain IEEE
// double operations (no fused multiply-add), so every compiler, processor and C library
// gives the same floats.
//
// Each is the exact value rounded once to float: cube and fourth power always (they carry
// the product's rounding error exactly); tan, atan, log and log2 evaluate in double with a
// relative error below 1e-15 and round once, which decides the float except where the
// exact value lies that near the midpoint of two floats. Compared on every float of their
// domains with the C library and the long double functions
// (tools/check_single_functions.cpp), none was found rounded the wrong way but three
// logarithms, which logSingle corrects from a table. NaN gives NaN.

// tan(x), x in radians. Arguments up to 2^20 in magnitude are reduced exactly enough for
// the accuracy above; beyond that the result is deterministic but not accurate.
float tanSingle(float x);

// atan(x) in radians, in [-pi/2, pi/2].
float atanSingle(float x);

// Natural logarithm: -infinity at 0, NaN below 0, +infinity at +infinity.
float logSingle(float x);

// Base-2 logarithm, with the same special values as logSingle.
float log2Single(float x);

// x * x * x and x * x * x * x as the exact values rounded once (what a correctly
// rounded pow(x, 3) and pow(x, 4) give).
float cubeSingle(float x);
float fourthPowerSingle(float x);

}  // namespace engine
