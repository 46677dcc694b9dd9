// The row kernels at the AVX2 level: thirty-two bytes at a time, and the
// stretched rows gathered by permutes within a register or two of source.
// Only this file is compiled with -mavx2; it runs only where the processor
// has AVX2.
#include <immintrin.h>

#include <cstring>

#include "engine/pixel_rows_kernels.h"
#include "engine/pixel_rows_simd.h"

namespace {

struct TAvx2 : TVectorOps<32> {
    static Reg Bytes16(const std::uint8_t* p, std::uint32_t count) {
        return Reg(_mm256_cvtepu8_epi16(LoadPart<__m128i>(p, count)));
    }
    static Reg Bytes32(const std::uint8_t* p, std::uint32_t count) {
        return Reg(_mm256_cvtepu8_epi32(LoadPart<__m128i>(p, count)));
    }
    static Reg Words32(const std::uint8_t* p, std::uint32_t count) {
        return Reg(_mm256_cvtepu16_epi32(LoadPart<__m128i>(p, 2 * count)));
    }
};

__m256i LoadY(const void* p) {
    return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}
__m128i LoadX(const void* p) {
    return _mm_loadu_si128(static_cast<const __m128i*>(p));
}

// Eight columns at a time. Columns grow from left to right, so a chunk whose
// columns lie within eight (or sixteen) source pixels is one (or two) loads
// and permutes; a sparser chunk, or one near the row's end, is gathered.
void Gather32(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n,
              std::int32_t srcCount) {
    std::int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256i idx = LoadY(xs + i);
        const std::uint32_t base = xs[i], span = xs[i + 7] - base;
        const std::int32_t avail = srcCount - static_cast<std::int32_t>(base);
        const __m256i rel = _mm256_sub_epi32(idx, _mm256_set1_epi32(static_cast<int>(base)));
        const std::uint8_t* from = src + std::size_t(base) * 4;
        __m256i v;
        if (span < 8 && avail >= 8) {
            v = _mm256_permutevar8x32_epi32(LoadY(from), rel);
        } else if (span < 16 && avail >= 16) {
            const __m256i lo = _mm256_permutevar8x32_epi32(LoadY(from), rel);
            const __m256i hi = _mm256_permutevar8x32_epi32(LoadY(from + 32), rel);
            v = _mm256_blendv_epi8(lo, hi, _mm256_cmpgt_epi32(rel, _mm256_set1_epi32(7)));
        } else {
            v = _mm256_i32gather_epi32(reinterpret_cast<const int*>(src), idx, 4);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 4 * i), v);
    }
    for (; i < n; ++i) std::memcpy(out + 4 * i, src + std::size_t(xs[i]) * 4, 4);
}

// Eight 16-bit columns at a time by byte shuffles of two 16-byte loads: a
// control byte above 15 picks from the second load (in the first shuffle its
// top bit is set, giving zero; in the second it is the byte's place).
void Gather16(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n,
              std::int32_t srcCount) {
    std::int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const std::uint32_t base = xs[i], span = xs[i + 7] - base;
        if (span < 16 && srcCount - static_cast<std::int32_t>(base) >= 16) {
            const __m256i rel = _mm256_sub_epi32(LoadY(xs + i), _mm256_set1_epi32(static_cast<int>(base)));
            const __m128i words =
                _mm_packus_epi32(_mm256_castsi256_si128(rel), _mm256_extracti128_si256(rel, 1));
            const __m128i first = _mm_add_epi16(words, words);  // byte offset of each pixel's low byte
            const __m128i ctl =
                _mm_or_si128(first, _mm_slli_epi16(_mm_add_epi16(first, _mm_set1_epi16(1)), 8));
            const std::uint8_t* from = src + std::size_t(base) * 2;
            const __m128i lo = _mm_shuffle_epi8(LoadX(from), _mm_add_epi8(ctl, _mm_set1_epi8(0x70)));
            const __m128i hi = _mm_shuffle_epi8(LoadX(from + 16), _mm_sub_epi8(ctl, _mm_set1_epi8(16)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), _mm_or_si128(lo, hi));
        } else {
            for (std::int32_t k = i; k < i + 8; ++k)
                std::memcpy(out + 2 * k, src + std::size_t(xs[k]) * 2, 2);
        }
    }
    for (; i < n; ++i) std::memcpy(out + 2 * i, src + std::size_t(xs[i]) * 2, 2);
}

}  // namespace

const TRowKernels kAvx2RowKernels = MakeRowKernels<TAvx2>(Gather16, Gather32);
