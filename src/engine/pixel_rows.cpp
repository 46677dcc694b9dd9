// The row kernels of the level chosen at start, and the column stepping of
// stretched rows.
#include "engine/pixel_rows.h"

#include <cstdlib>

#include "engine/pixel_rows_simd.h"

namespace {

const TRowKernels& KernelsOf(TSimdLevel level) {
    switch (level) {
        case TSimdLevel::avx512:
            return kAvx512RowKernels;
        case TSimdLevel::avx2:
            return kAvx2RowKernels;
        case TSimdLevel::sse2:
            break;
    }
    return kSse2RowKernels;
}

TSimdLevel g_level = SimdLevelFor(std::getenv("VANTOREL_SIMD"), ProcessorSimdLevel());
const TRowKernels* g_kernels = &KernelsOf(g_level);

}  // namespace

const TRowKernels& RowKernels() {
    return *g_kernels;
}

TSimdLevel CurrentSimdLevel() {
    return g_level;
}

TSimdLevel UseSimdLevel(TSimdLevel level) {
    g_level = level < ProcessorSimdLevel() ? level : ProcessorSimdLevel();
    g_kernels = &KernelsOf(g_level);
    return g_level;
}

void StretchColumns(std::uint32_t* xs, std::int32_t n, std::uint32_t stepX) {
    std::uint32_t fx = 0;
    for (std::int32_t i = 0; i < n; ++i, fx += stepX) xs[i] = fx >> 16;
}

void GatherStretchedRow(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n,
                        std::uint32_t bpp, std::int32_t srcCount) {
    switch (bpp) {
        case 1:
            GatherRow<1>(out, src, xs, n);
            break;
        case 2:
            g_kernels->gather16(out, src, xs, n, srcCount);
            break;
        case 3:
            GatherRow<3>(out, src, xs, n);
            break;
        default:
            g_kernels->gather32(out, src, xs, n, srcCount);
            break;
    }
}

void CopyKeyed16(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint16_t key) {
    g_kernels->copyKeyed16(dst, src, n, key);
}

void CopyKeyed32(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint32_t key) {
    g_kernels->copyKeyed32(dst, src, n, key);
}

void AlphaRow565(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front, std::int32_t n,
                 std::uint32_t alpha, bool keyed, std::uint16_t key) {
    g_kernels->alphaRow565(out, back, front, n, alpha, keyed, key);
}

void AlphaRow8888(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front, std::int32_t n,
                  std::uint32_t alpha, bool keyed, std::uint32_t key) {
    g_kernels->alphaRow8888(out, back, front, n, alpha, keyed, key);
}

void MaskRow565(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint16_t key) {
    g_kernels->maskRow565(out, back, front, mask, n, keyed, key);
}

void MaskRow8888(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                 const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint32_t key) {
    g_kernels->maskRow8888(out, back, front, mask, n, keyed, key);
}

void FilterRow8888(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* firsts,
                   const std::uint32_t* seconds, const std::uint8_t* weights, std::int32_t n,
                   std::int32_t srcCount) {
    g_kernels->filterRow8888(out, src, firsts, seconds, weights, n, srcCount);
}

void ExpandRgb565(std::uint32_t* out, const std::uint16_t* in, std::int32_t n) {
    g_kernels->expandRgb565(out, in, n);
}
