// The row kernels of one instruction-set level as a table, one table per
// level (each built from its own file with its own target flags), and the
// choice among them: once at start from the processor and VANTOREL_SIMD.
#pragma once

#include <cstdint>

#include "engine/simd_level.h"

struct TRowKernels {
    void (*copyKeyed16)(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint16_t key);
    void (*copyKeyed32)(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint32_t key);
    void (*alphaRow565)(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                        std::int32_t n, std::uint32_t alpha, bool keyed, std::uint16_t key);
    void (*alphaRow8888)(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                         std::int32_t n, std::uint32_t alpha, bool keyed, std::uint32_t key);
    void (*maskRow565)(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                       const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint16_t key);
    void (*maskRow8888)(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                        const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint32_t key);
    void (*gather16)(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n,
                     std::int32_t srcCount);
    void (*gather32)(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n,
                     std::int32_t srcCount);
    void (*filterRow8888)(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* firsts,
                          const std::uint32_t* seconds, const std::uint8_t* weights, std::int32_t n,
                          std::int32_t srcCount);
    void (*expandRgb565)(std::uint32_t* out, const std::uint16_t* in, std::int32_t n);
};

extern const TRowKernels kSse2RowKernels;
extern const TRowKernels kAvx2RowKernels;
extern const TRowKernels kAvx512RowKernels;

// The kernels in use.
const TRowKernels& RowKernels();
// The level in use: at start SimdLevelFor(VANTOREL_SIMD, ProcessorSimdLevel()).
TSimdLevel CurrentSimdLevel();
// Switches to the level (capped by the processor's) and returns the level
// now in use; for the benchmark, which compares the levels in one run.
TSimdLevel UseSimdLevel(TSimdLevel level);
