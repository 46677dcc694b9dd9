// The row kernels at the AVX-512 level (F, BW and VL): sixty-four bytes at a
// time, masked loads and stores for the short rows and the keyed pixels, and
// stretched rows by permutes. Only this file is compiled for AVX-512; it runs
// only where the processor has it.
#include <immintrin.h>

#include "engine/pixel_rows_kernels.h"
#include "engine/pixel_rows_simd.h"

namespace {

// The lanes of a chunk that lie inside the row, for `left` lanes still to go.
__mmask64 Tail64(std::uint32_t left) {
    return left >= 64 ? ~__mmask64{0} : (__mmask64{1} << left) - 1;
}
__mmask32 Tail32(std::int32_t left) {
    if (left <= 0) return 0;
    return left >= 32 ? ~__mmask32{0} : static_cast<__mmask32>((std::uint64_t{1} << left) - 1);
}
__mmask16 Tail16(std::int32_t left) {
    if (left <= 0) return 0;
    return left >= 16 ? static_cast<__mmask16>(0xFFFF) : static_cast<__mmask16>((1u << left) - 1);
}

// The generic operations, with masks in mask registers and the partial
// chunks loaded and stored under masks.
struct TAvx512 : TVectorOps<64> {
    static VANTOREL_INLINE Reg Load(const std::uint8_t* p, std::uint32_t bytes) {
        return bytes >= 64 ? Reg(_mm512_loadu_si512(p)) : Reg(_mm512_maskz_loadu_epi8(Tail64(bytes), p));
    }
    static VANTOREL_INLINE void Store(std::uint8_t* p, std::uint32_t bytes, Reg v) {
        if (bytes >= 64)
            _mm512_storeu_si512(p, __m512i(v));
        else
            _mm512_mask_storeu_epi8(p, Tail64(bytes), __m512i(v));
    }
    // (The zero-masking widenings keep GCC 12 from warning about the
    // undefined upper halves its plain forms start from.)
    static VANTOREL_INLINE Reg Bytes16(const std::uint8_t* p, std::uint32_t count) {
        return Reg(_mm512_maskz_cvtepu8_epi16(~__mmask32{0}, _mm256_maskz_loadu_epi8(Tail32(count), p)));
    }
    static VANTOREL_INLINE Reg Bytes32(const std::uint8_t* p, std::uint32_t count) {
        return Reg(_mm512_maskz_cvtepu8_epi32(Tail16(16), _mm_maskz_loadu_epi8(Tail16(count), p)));
    }
    static VANTOREL_INLINE Reg Words32(const std::uint8_t* p, std::uint32_t count) {
        return Reg(_mm512_maskz_cvtepu16_epi32(Tail16(16), _mm256_maskz_loadu_epi16(Tail16(count), p)));
    }
    static VANTOREL_INLINE __mmask32 Eq16(Reg a, Reg b) {
        return _mm512_cmpeq_epi16_mask(__m512i(a), __m512i(b));
    }
    static VANTOREL_INLINE __mmask16 Eq32(Reg a, Reg b) {
        return _mm512_cmpeq_epi32_mask(__m512i(a), __m512i(b));
    }
    static VANTOREL_INLINE Reg Select16(__mmask32 m, Reg ifSet, Reg ifClear) {
        return Reg(_mm512_mask_mov_epi16(__m512i(ifClear), m, __m512i(ifSet)));
    }
    static VANTOREL_INLINE Reg Select32(__mmask16 m, Reg ifSet, Reg ifClear) {
        return Reg(_mm512_mask_mov_epi32(__m512i(ifClear), m, __m512i(ifSet)));
    }
    static VANTOREL_INLINE void StoreUnless16(std::uint8_t* p, std::uint32_t bytes, __mmask32 key, Reg s) {
        _mm512_mask_storeu_epi16(
            p, static_cast<__mmask32>(~key) & Tail32(static_cast<std::int32_t>(bytes / 2)), __m512i(s));
    }
    static VANTOREL_INLINE void StoreUnless32(std::uint8_t* p, std::uint32_t bytes, __mmask16 key, Reg s) {
        _mm512_mask_storeu_epi32(
            p, static_cast<__mmask16>(~key) & Tail16(static_cast<std::int32_t>(bytes / 4)), __m512i(s));
    }
    // Stretched rows: where the columns of a chunk span at most two registers
    // of source pixels (any stretch down to one half), the chunk is two
    // masked loads and one permute; sparser chunks are gathered lane by lane.
    static Reg Gather32(const std::uint8_t* src, const std::uint32_t* xs, std::uint32_t count,
                        std::int32_t srcCount) {
        const __mmask16 t = Tail16(static_cast<std::int32_t>(count));
        const __m512i idx = _mm512_maskz_loadu_epi32(t, xs);
        const std::uint32_t base = xs[0], last = xs[count - 1];
        if (last - base >= 32)
            return Reg(_mm512_mask_i32gather_epi32(_mm512_setzero_si512(), t, idx, src, 4));
        const std::int32_t avail = srcCount - static_cast<std::int32_t>(base);
        const std::uint8_t* from = src + std::size_t(base) * 4;
        const __m512i lo = _mm512_maskz_loadu_epi32(Tail16(avail), from);
        const __m512i hi = _mm512_maskz_loadu_epi32(Tail16(avail - 16), from + 64);
        return Reg(_mm512_permutex2var_epi32(
            lo, _mm512_sub_epi32(idx, _mm512_set1_epi32(static_cast<int>(base))), hi));
    }
    static Reg Gather16(const std::uint8_t* src, const std::uint32_t* xs, std::uint32_t count,
                        std::int32_t srcCount) {
        const std::uint32_t base = xs[0], last = xs[count - 1];
        if (last - base >= 64) return GatherFew<std::uint16_t>(src, xs, count);
        const std::int32_t n = static_cast<std::int32_t>(count);
        const __m512i vb = _mm512_set1_epi32(static_cast<int>(base));
        const __m512i x0 = _mm512_sub_epi32(_mm512_maskz_loadu_epi32(Tail16(n), xs), vb);
        const __m512i x1 = _mm512_sub_epi32(_mm512_maskz_loadu_epi32(Tail16(n - 16), xs + 16), vb);
        // The low halves of the 32 column offsets, as 16-bit permute indices.
        alignas(64) static constexpr std::uint16_t kEven[32] = {0,  2,  4,  6,  8,  10, 12, 14, 16, 18, 20,
                                                                22, 24, 26, 28, 30, 32, 34, 36, 38, 40, 42,
                                                                44, 46, 48, 50, 52, 54, 56, 58, 60, 62};
        const __m512i idx = _mm512_permutex2var_epi16(x0, _mm512_load_si512(kEven), x1);
        const std::int32_t avail = srcCount - static_cast<std::int32_t>(base);
        const std::uint8_t* from = src + std::size_t(base) * 2;
        const __m512i lo = _mm512_maskz_loadu_epi16(Tail32(avail), from);
        const __m512i hi = _mm512_maskz_loadu_epi16(Tail32(avail - 32), from + 64);
        return Reg(_mm512_permutex2var_epi16(lo, idx, hi));
    }
};

}  // namespace

const TRowKernels kAvx512RowKernels = MakeRowKernels<TAvx512>();
