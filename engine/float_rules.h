#pragma once

// The engines' values are defined by single-precision operations in the order they are
// written, with gradual underflow. Build settings that would change them are refused here;
// the build turns off the fusing of multiplies and adds for every target that links the
// engine code.
#if defined(__FAST_MATH__) || (defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__)
#error "the engine code must not be built with -ffast-math or -ffinite-math-only"
#endif

// The vectorised loops are compiled for AVX-512, AVX2 and the portable baseline and picked
// at run time; all three give the same floats. ENGINE_SINGLE_CODE_PATH builds the baseline
// alone, so that the tests can run the path this processor would not pick.
#ifdef ENGINE_SINGLE_CODE_PATH
#define ENGINE_VECTOR_CLONES
#else
#define ENGINE_VECTOR_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#endif
