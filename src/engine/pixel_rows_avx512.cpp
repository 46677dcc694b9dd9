// AVX-512 versions of the row kernels, chosen at run time where the processor
// has AVX-512 BW and VL. Masked loads and stores handle keyed pixels and row
// tails without branches; the arithmetic is that of the SSE2 kernels.
#include "engine/pixel_rows_simd.h"

#include <immintrin.h>

#include <algorithm>
#include <cstring>

#define VANTOREL_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl")))

namespace {

// Lanes still inside the row, for a chunk of `lanes` starting at i.
VANTOREL_AVX512 inline __mmask32 Tail32(std::int32_t left) {
    if (left <= 0) return 0;
    return left >= 32 ? ~__mmask32{0} : static_cast<__mmask32>((std::uint64_t{1} << left) - 1);
}
VANTOREL_AVX512 inline __mmask16 Tail16(std::int32_t left) {
    if (left <= 0) return 0;
    return left >= 16 ? static_cast<__mmask16>(0xFFFF) : static_cast<__mmask16>((1u << left) - 1);
}

VANTOREL_AVX512 inline __m512i Channel(__m512i dv, __m512i cv, __m512i wd, __m512i wc) {
    return _mm512_srli_epi16(_mm512_add_epi16(_mm512_mullo_epi16(dv, wd), _mm512_mullo_epi16(cv, wc)), 8);
}

VANTOREL_AVX512 inline __m512i Mix565(__m512i d, __m512i c, __m512i wd, __m512i wc) {
    const __m512i m6 = _mm512_set1_epi16(0x3F), m5 = _mm512_set1_epi16(0x1F);
    const __m512i r = Channel(_mm512_srli_epi16(d, 11), _mm512_srli_epi16(c, 11), wd, wc);
    const __m512i g = Channel(_mm512_and_si512(_mm512_srli_epi16(d, 5), m6),
                              _mm512_and_si512(_mm512_srli_epi16(c, 5), m6), wd, wc);
    const __m512i b = Channel(_mm512_and_si512(d, m5), _mm512_and_si512(c, m5), wd, wc);
    return _mm512_or_si512(_mm512_slli_epi16(r, 11), _mm512_or_si512(_mm512_slli_epi16(g, 5), b));
}

// Sixteen XRGB8888 pixels; weights in 16-bit lanes laid out as the unpacked bytes.
VANTOREL_AVX512 inline __m512i Mix8888(__m512i d, __m512i c, __m512i wdLo, __m512i wcLo, __m512i wdHi,
                                       __m512i wcHi) {
    const __m512i zero = _mm512_setzero_si512();
    const __m512i lo = Channel(_mm512_unpacklo_epi8(d, zero), _mm512_unpacklo_epi8(c, zero), wdLo, wcLo);
    const __m512i hi = Channel(_mm512_unpackhi_epi8(d, zero), _mm512_unpackhi_epi8(c, zero), wdHi, wcHi);
    return _mm512_and_si512(_mm512_packus_epi16(lo, hi), _mm512_set1_epi32(0x00FFFFFF));
}

}  // namespace

namespace {

// The keyed copy for pixels of 2 or 4 bytes: one chunk of 64 bytes at a time,
// the key compared lane by lane, and only the other lanes stored.
template <int Bytes>
VANTOREL_AVX512 void CopyKeyedAvx512(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n,
                                     std::uint32_t key) {
    constexpr std::int32_t lanes = 64 / Bytes;
    for (std::int32_t i = 0; i < n; i += lanes) {
        if constexpr (Bytes == 2) {
            const __mmask32 t = Tail32(n - i);
            const __m512i s = _mm512_maskz_loadu_epi16(t, src + 2 * i);
            const __m512i k = _mm512_set1_epi16(static_cast<short>(key));
            _mm512_mask_storeu_epi16(dst + 2 * i, _mm512_mask_cmpneq_epi16_mask(t, s, k), s);
        } else {
            const __mmask16 t = Tail16(n - i);
            const __m512i s = _mm512_maskz_loadu_epi32(t, src + 4 * i);
            const __m512i k = _mm512_set1_epi32(static_cast<int>(key));
            _mm512_mask_storeu_epi32(dst + 4 * i, _mm512_mask_cmpneq_epi32_mask(t, s, k), s);
        }
    }
}

}  // namespace

VANTOREL_AVX512 void CopyKeyed16Avx512(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n,
                                       std::uint16_t key) {
    CopyKeyedAvx512<2>(dst, src, n, key);
}

VANTOREL_AVX512 void CopyKeyed32Avx512(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n,
                                       std::uint32_t key) {
    CopyKeyedAvx512<4>(dst, src, n, key);
}

VANTOREL_AVX512 void AlphaRow565Avx512(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                                       std::int32_t n, std::uint32_t alpha, bool keyed, std::uint16_t key) {
    const __m512i wc = _mm512_set1_epi16(static_cast<short>(alpha));
    const __m512i wd = _mm512_set1_epi16(static_cast<short>(256 - alpha));
    const __m512i vkey = _mm512_set1_epi16(static_cast<short>(key));
    for (std::int32_t i = 0; i < n; i += 32) {
        const __mmask32 t = Tail32(n - i);
        const __m512i d = _mm512_maskz_loadu_epi16(t, back + 2 * i),
                      c = _mm512_maskz_loadu_epi16(t, front + 2 * i);
        __m512i r = Mix565(d, c, wd, wc);
        if (keyed) r = _mm512_mask_mov_epi16(r, _mm512_cmpeq_epi16_mask(c, vkey), d);
        _mm512_mask_storeu_epi16(out + 2 * i, t, r);
    }
}

VANTOREL_AVX512 void AlphaRow8888Avx512(std::uint8_t* out, const std::uint8_t* back,
                                        const std::uint8_t* front, std::int32_t n, std::uint32_t alpha,
                                        bool keyed, std::uint32_t key) {
    const __m512i wc = _mm512_set1_epi16(static_cast<short>(alpha));
    const __m512i wd = _mm512_set1_epi16(static_cast<short>(256 - alpha));
    const __m512i vkey = _mm512_set1_epi32(static_cast<int>(key)), rgb = _mm512_set1_epi32(0x00FFFFFF);
    for (std::int32_t i = 0; i < n; i += 16) {
        const __mmask16 t = Tail16(n - i);
        const __m512i d = _mm512_maskz_loadu_epi32(t, back + 4 * i),
                      c = _mm512_maskz_loadu_epi32(t, front + 4 * i);
        __m512i r = Mix8888(d, c, wd, wc, wd, wc);
        if (keyed) r = _mm512_mask_mov_epi32(r, _mm512_cmpeq_epi32_mask(_mm512_and_si512(c, rgb), vkey), d);
        _mm512_mask_storeu_epi32(out + 4 * i, t, r);
    }
}

VANTOREL_AVX512 void MaskRow565Avx512(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                                      const std::uint8_t* mask, std::int32_t n, bool keyed,
                                      std::uint16_t key) {
    const __m512i full = _mm512_set1_epi16(255), zero = _mm512_setzero_si512();
    const __m512i vkey = _mm512_set1_epi16(static_cast<short>(key));
    for (std::int32_t i = 0; i < n; i += 32) {
        const __mmask32 t = Tail32(n - i);
        const __m512i f = _mm512_cvtepu8_epi16(_mm256_maskz_loadu_epi8(t, mask + i));
        const __m512i d = _mm512_maskz_loadu_epi16(t, back + 2 * i),
                      e = _mm512_maskz_loadu_epi16(t, front + 2 * i);
        __m512i r = Mix565(d, e, _mm512_sub_epi16(full, f), f);
        r = _mm512_mask_mov_epi16(r, _mm512_cmpeq_epi16_mask(f, full), e);
        __mmask32 keep = _mm512_cmpeq_epi16_mask(f, zero);
        if (keyed) keep |= _mm512_cmpeq_epi16_mask(e, vkey);
        _mm512_mask_storeu_epi16(out + 2 * i, t, _mm512_mask_mov_epi16(r, keep, d));
    }
}

VANTOREL_AVX512 void MaskRow8888Avx512(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                                       const std::uint8_t* mask, std::int32_t n, bool keyed,
                                       std::uint32_t key) {
    const __m512i zero = _mm512_setzero_si512(), full16 = _mm512_set1_epi16(255),
                  full32 = _mm512_set1_epi32(255);
    const __m512i vkey = _mm512_set1_epi32(static_cast<int>(key)), rgb = _mm512_set1_epi32(0x00FFFFFF);
    for (std::int32_t i = 0; i < n; i += 16) {
        const __mmask16 t = Tail16(n - i);
        // (The zero-masking forms keep GCC 12 from warning about the
        // undefined upper halves its plain forms start from.)
        const __m512i f32 =
            _mm512_maskz_cvtepu8_epi32(static_cast<__mmask16>(0xFFFF), _mm_maskz_loadu_epi8(t, mask + i));
        // The pixel's mask byte in each of its four bytes, then widened as the pixels are.
        const __m512i fb = _mm512_mullo_epi32(f32, _mm512_set1_epi32(0x01010101));
        const __m512i fLo = _mm512_unpacklo_epi8(fb, zero), fHi = _mm512_unpackhi_epi8(fb, zero);
        const __m512i d = _mm512_maskz_loadu_epi32(t, back + 4 * i),
                      e = _mm512_maskz_loadu_epi32(t, front + 4 * i);
        __m512i r = Mix8888(d, e, _mm512_sub_epi16(full16, fLo), fLo, _mm512_sub_epi16(full16, fHi), fHi);
        r = _mm512_mask_mov_epi32(r, _mm512_cmpeq_epi32_mask(f32, full32), e);
        __mmask16 keep = _mm512_cmpeq_epi32_mask(f32, zero);
        if (keyed) keep |= _mm512_cmpeq_epi32_mask(_mm512_and_si512(e, rgb), vkey);
        _mm512_mask_storeu_epi32(out + 4 * i, t, _mm512_mask_mov_epi32(r, keep, d));
    }
}

namespace {
bool g_allowAvx512 = true;
}

void AllowAvx512(bool allow) {
    g_allowAvx512 = allow;
}

// Stretched rows: where the columns of a chunk span at most two registers of
// source pixels (any stretch down to one half), the chunk is two masked loads
// and one permute; sparser chunks are gathered lane by lane.
VANTOREL_AVX512 void Gather32Avx512(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs,
                                    std::int32_t n, std::int32_t srcCount) {
    for (std::int32_t i = 0; i < n; i += 16) {
        const __mmask16 t = Tail16(n - i);
        const __m512i idx = _mm512_maskz_loadu_epi32(t, xs + i);
        const std::uint32_t base = xs[i], last = xs[std::min(i + 15, n - 1)];
        __m512i v;
        if (last - base < 32) {
            const std::int32_t avail = srcCount - static_cast<std::int32_t>(base);
            const std::uint8_t* from = src + std::size_t(base) * 4;
            const __m512i lo = _mm512_maskz_loadu_epi32(Tail16(avail), from);
            const __m512i hi = _mm512_maskz_loadu_epi32(Tail16(avail - 16), from + 64);
            v = _mm512_permutex2var_epi32(
                lo, _mm512_sub_epi32(idx, _mm512_set1_epi32(static_cast<int>(base))), hi);
        } else {
            v = _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), t, idx, src, 4);
        }
        _mm512_mask_storeu_epi32(out + 4 * i, t, v);
    }
}

VANTOREL_AVX512 void Gather16Avx512(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs,
                                    std::int32_t n, std::int32_t srcCount) {
    for (std::int32_t i = 0; i < n; i += 32) {
        const std::uint32_t base = xs[i], last = xs[std::min(i + 31, n - 1)];
        if (last - base >= 64) {
            for (std::int32_t k = i; k < std::min(i + 32, n); ++k)
                std::memcpy(out + 2 * k, src + 2 * xs[k], 2);
            continue;
        }
        const __m512i vb = _mm512_set1_epi32(static_cast<int>(base));
        const __m512i x0 = _mm512_sub_epi32(_mm512_maskz_loadu_epi32(Tail16(n - i), xs + i), vb);
        const __m512i x1 = _mm512_sub_epi32(_mm512_maskz_loadu_epi32(Tail16(n - i - 16), xs + i + 16), vb);
        // The low halves of the 32 column offsets, as 16-bit permute indices.
        alignas(64) static constexpr std::uint16_t kEven[32] = {0,  2,  4,  6,  8,  10, 12, 14, 16, 18, 20,
                                                                22, 24, 26, 28, 30, 32, 34, 36, 38, 40, 42,
                                                                44, 46, 48, 50, 52, 54, 56, 58, 60, 62};
        const __m512i idx = _mm512_permutex2var_epi16(x0, _mm512_load_si512(kEven), x1);
        const std::int32_t avail = srcCount - static_cast<std::int32_t>(base);
        const std::uint8_t* from = src + std::size_t(base) * 2;
        const __m512i lo = _mm512_maskz_loadu_epi16(Tail32(avail), from);
        const __m512i hi = _mm512_maskz_loadu_epi16(Tail32(avail - 32), from + 64);
        _mm512_mask_storeu_epi16(out + 2 * i, Tail32(n - i), _mm512_permutex2var_epi16(lo, idx, hi));
    }
}

bool HasAvx512() {
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                            __builtin_cpu_supports("avx512vl");
    return has && g_allowAvx512;
}
