#pragma once

#include <cstddef>

namespace engine {

// The engines' exponential of a single-precision argument. Every exponential of both
// engines goes through it, so a vectorised path and a plain loop agree float for float.
// Accuracy: at most 1 ulp from the exact value (almost always correctly rounded);
// expSingle(0) == 1 exactly (also for -0); arguments below about -103.3 give 0, those
// down to there the correctly rounded subnormal; above about 88.7 the result is +infinity.
// No NaN for any non-NaN argument.
float expSingle(float x);

// out[k] = expSingle(in[k]) for k < count, bit for bit the same as the scalar function,
// but vectorised. in and out may be the same array.
void expSingleArray(const float* in, float* out, std::size_t count);

}  // namespace engine
