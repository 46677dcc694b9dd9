// The row kernels at the AVX2 level: thirty-two bytes at a time, and the
// stretched rows gathered by permutes within a register or two of source.
// Only this file is compiled with -mavx2; it runs only where the processor
// has AVX2.
#include <immintrin.h>

#include <cstring>

#include "engine/pixel_rows_kernels.h"
#include "engine/pixel_rows_simd.h"

namespace {

__m256i LoadY(const void* p) {
    return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}
__m128i LoadX(const void* p) {
    return _mm_loadu_si128(static_cast<const __m128i*>(p));
}

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

    // Eight columns. Columns grow from left to right, so eight that lie
    // within eight (or sixteen) source pixels are one (or two) loads and
    // permutes; sparser ones, or ones near the row's end, are gathered.
    static Reg Gather32(const std::uint8_t* src, const std::uint32_t* xs, std::uint32_t count,
                        std::int32_t srcCount) {
        if (count < 8) return GatherFew<std::uint32_t>(src, xs, count);
        const __m256i idx = LoadY(xs);
        const std::uint32_t base = xs[0], span = xs[7] - base;
        const std::int32_t avail = srcCount - static_cast<std::int32_t>(base);
        const __m256i rel = _mm256_sub_epi32(idx, _mm256_set1_epi32(static_cast<int>(base)));
        const std::uint8_t* from = src + std::size_t(base) * 4;
        if (span < 8 && avail >= 8) return Reg(_mm256_permutevar8x32_epi32(LoadY(from), rel));
        if (span < 16 && avail >= 16) {
            const __m256i lo = _mm256_permutevar8x32_epi32(LoadY(from), rel);
            const __m256i hi = _mm256_permutevar8x32_epi32(LoadY(from + 32), rel);
            return Reg(_mm256_blendv_epi8(lo, hi, _mm256_cmpgt_epi32(rel, _mm256_set1_epi32(7))));
        }
        return Reg(_mm256_i32gather_epi32(reinterpret_cast<const int*>(src), idx, 4));
    }

    // Sixteen 16-bit columns, as two halves.
    static Reg Gather16(const std::uint8_t* src, const std::uint32_t* xs, std::uint32_t count,
                        std::int32_t srcCount) {
        if (count < 16) return GatherFew<std::uint16_t>(src, xs, count);
        return Reg(_mm256_set_m128i(Gather16Half(src, xs + 8, srcCount), Gather16Half(src, xs, srcCount)));
    }
    // Eight columns: within eight source pixels by one permute of them
    // widened to 32 bits; within sixteen by byte shuffles of two 16-byte
    // loads, where a control byte above 15 picks from the second load (in
    // the first shuffle its top bit is set, giving zero; in the second it is
    // the byte's place); sparser ones, or ones near the row's end, one by one.
    static __m128i Gather16Half(const std::uint8_t* src, const std::uint32_t* xs, std::int32_t srcCount) {
        const std::uint32_t base = xs[0], span = xs[7] - base;
        const std::int32_t avail = srcCount - static_cast<std::int32_t>(base);
        const std::uint8_t* from = src + std::size_t(base) * 2;
        if (span < 8 && avail >= 8) {
            const __m256i rel = _mm256_sub_epi32(LoadY(xs), _mm256_set1_epi32(static_cast<int>(base)));
            const __m256i v = _mm256_permutevar8x32_epi32(_mm256_cvtepu16_epi32(LoadX(from)), rel);
            return _mm_packus_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
        }
        if (span >= 16 || avail < 16) {
            const auto at = [&](int k) {
                std::int16_t v;
                std::memcpy(&v, src + std::size_t(xs[k]) * 2, 2);
                return v;
            };
            return _mm_setr_epi16(at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7));
        }
        const __m256i rel = _mm256_sub_epi32(LoadY(xs), _mm256_set1_epi32(static_cast<int>(base)));
        const __m128i words = _mm_packus_epi32(_mm256_castsi256_si128(rel), _mm256_extracti128_si256(rel, 1));
        const __m128i first = _mm_add_epi16(words, words);  // byte offset of each pixel's low byte
        const __m128i ctl = _mm_or_si128(first, _mm_slli_epi16(_mm_add_epi16(first, _mm_set1_epi16(1)), 8));
        const __m128i lo = _mm_shuffle_epi8(LoadX(from), _mm_add_epi8(ctl, _mm_set1_epi8(0x70)));
        const __m128i hi = _mm_shuffle_epi8(LoadX(from + 16), _mm_sub_epi8(ctl, _mm_set1_epi8(16)));
        return _mm_or_si128(lo, hi);
    }
};

}  // namespace

const TRowKernels kAvx2RowKernels = MakeRowKernels<TAvx2>();
