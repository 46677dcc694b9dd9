// The instruction-set levels of the pixel kernels: which ones the processor
// offers, and which one the environment variable VANTOREL_SIMD asks for.
#pragma once

enum class TSimdLevel { sse2 = 0, avx2 = 1, avx512 = 2 };

// The highest level this processor (and its operating system) can run.
TSimdLevel ProcessorSimdLevel();

// The level to use: the one named by asked ("sse2", "avx2" or "avx512") or
// the available one, whichever is lower. No name, or a name that is none of
// these, gives the available level.
TSimdLevel SimdLevelFor(const char* asked, TSimdLevel available);

// "sse2", "avx2" or "avx512".
const char* SimdLevelName(TSimdLevel level);
