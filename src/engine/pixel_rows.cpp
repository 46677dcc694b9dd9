// Row kernels: SSE2 (every x86-64 processor has it), or the AVX-512 ones
// where the processor offers them. The blends split each
// pixel into channels in 16-bit lanes: with at most 8 bits per channel,
// d * (256 - a) + c * a stays below 65536, and taking bits 8.. of it is what
// the masked arithmetic of the per-pixel rule yields, so results are identical.
#include "engine/pixel_rows.h"

#include "engine/pixel_rows_simd.h"

#include <emmintrin.h>

namespace {

inline std::uint16_t Load16(const std::uint8_t* p) {
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
inline std::uint32_t Load32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void Store16(std::uint8_t* p, std::uint32_t v) {
    const auto w = static_cast<std::uint16_t>(v);
    std::memcpy(p, &w, 2);
}
inline void Store32(std::uint8_t* p, std::uint32_t v) {
    std::memcpy(p, &v, 4);
}
inline __m128i LoadV(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void StoreV(std::uint8_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}
inline __m128i Select(__m128i m, __m128i ifSet, __m128i ifClear) {
    return _mm_or_si128(_mm_and_si128(m, ifSet), _mm_andnot_si128(m, ifClear));
}

// The per-pixel rules, for the row tails.
inline std::uint32_t Mix(std::uint32_t d, std::uint32_t c, std::uint32_t wd, std::uint32_t wc,
                         std::uint32_t R, std::uint32_t G, std::uint32_t B) {
    return ((((d & R) * wd + (c & R) * wc) & (R << 8)) | (((d & G) * wd + (c & G) * wc) & (G << 8)) |
            (((d & B) * wd + (c & B) * wc) & (B << 8))) >>
           8;
}
inline std::uint32_t MaskPixel(std::uint32_t d, std::uint32_t e, std::uint32_t f, bool keyedOut,
                               std::uint32_t R, std::uint32_t G, std::uint32_t B) {
    if (keyedOut || f == 0) return d;
    if (f == 255) return e;
    return Mix(d, e, 255 - f, f, R, G, B);
}

// One channel of eight 565 pixels: ((dv * wd + cv * wc) >> 8) in place.
inline __m128i Channel(__m128i dv, __m128i cv, __m128i wd, __m128i wc) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(dv, wd), _mm_mullo_epi16(cv, wc)), 8);
}

inline __m128i Mix565(__m128i d, __m128i c, __m128i wd, __m128i wc) {
    const __m128i m6 = _mm_set1_epi16(0x3F), m5 = _mm_set1_epi16(0x1F);
    const __m128i r = Channel(_mm_srli_epi16(d, 11), _mm_srli_epi16(c, 11), wd, wc);
    const __m128i g =
        Channel(_mm_and_si128(_mm_srli_epi16(d, 5), m6), _mm_and_si128(_mm_srli_epi16(c, 5), m6), wd, wc);
    const __m128i b = Channel(_mm_and_si128(d, m5), _mm_and_si128(c, m5), wd, wc);
    return _mm_or_si128(_mm_slli_epi16(r, 11), _mm_or_si128(_mm_slli_epi16(g, 5), b));
}

// Four XRGB8888 pixels; weights per byte lane (low and high two pixels).
inline __m128i Mix8888(__m128i d, __m128i c, __m128i wdLo, __m128i wcLo, __m128i wdHi, __m128i wcHi) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i lo = Channel(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(c, zero), wdLo, wcLo);
    const __m128i hi = Channel(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(c, zero), wdHi, wcHi);
    return _mm_and_si128(_mm_packus_epi16(lo, hi), _mm_set1_epi32(0x00FFFFFF));
}

}  // namespace

void StretchColumns(std::uint32_t* xs, std::int32_t n, std::uint32_t stepX) {
    std::uint32_t fx = 0;
    for (std::int32_t i = 0; i < n; ++i, fx += stepX) xs[i] = fx >> 16;
}

static void CopyKeyed16Sse2(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint16_t key) {
    const __m128i vkey = _mm_set1_epi16(static_cast<short>(key));
    std::int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i s = LoadV(src + 2 * i);
        const __m128i m = _mm_cmpeq_epi16(s, vkey);
        const int bits = _mm_movemask_epi8(m);
        if (bits == 0)
            StoreV(dst + 2 * i, s);
        else if (bits != 0xFFFF)
            StoreV(dst + 2 * i, Select(m, LoadV(dst + 2 * i), s));
    }
    for (; i < n; ++i)
        if (const std::uint16_t v = Load16(src + 2 * i); v != key) Store16(dst + 2 * i, v);
}

static void CopyKeyed32Sse2(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint32_t key) {
    const __m128i vkey = _mm_set1_epi32(static_cast<int>(key));
    std::int32_t i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128i s = LoadV(src + 4 * i);
        const __m128i m = _mm_cmpeq_epi32(s, vkey);
        const int bits = _mm_movemask_epi8(m);
        if (bits == 0)
            StoreV(dst + 4 * i, s);
        else if (bits != 0xFFFF)
            StoreV(dst + 4 * i, Select(m, LoadV(dst + 4 * i), s));
    }
    for (; i < n; ++i)
        if (const std::uint32_t v = Load32(src + 4 * i); v != key) Store32(dst + 4 * i, v);
}

static void AlphaRow565Sse2(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                            std::int32_t n, std::uint32_t alpha, bool keyed, std::uint16_t key) {
    const __m128i wc = _mm_set1_epi16(static_cast<short>(alpha));
    const __m128i wd = _mm_set1_epi16(static_cast<short>(256 - alpha));
    const __m128i vkey = _mm_set1_epi16(static_cast<short>(key));
    std::int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i d = LoadV(back + 2 * i), c = LoadV(front + 2 * i);
        __m128i r = Mix565(d, c, wd, wc);
        if (keyed) r = Select(_mm_cmpeq_epi16(c, vkey), d, r);
        StoreV(out + 2 * i, r);
    }
    for (; i < n; ++i) {
        const std::uint32_t d = Load16(back + 2 * i), c = Load16(front + 2 * i);
        Store16(out + 2 * i, keyed && c == key ? d : Mix(d, c, 256 - alpha, alpha, 0xF800, 0x07E0, 0x001F));
    }
}

static void AlphaRow8888Sse2(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                             std::int32_t n, std::uint32_t alpha, bool keyed, std::uint32_t key) {
    const __m128i wc = _mm_set1_epi16(static_cast<short>(alpha));
    const __m128i wd = _mm_set1_epi16(static_cast<short>(256 - alpha));
    const __m128i vkey = _mm_set1_epi32(static_cast<int>(key)), rgb = _mm_set1_epi32(0x00FFFFFF);
    std::int32_t i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128i d = LoadV(back + 4 * i), c = LoadV(front + 4 * i);
        __m128i r = Mix8888(d, c, wd, wc, wd, wc);
        if (keyed) r = Select(_mm_cmpeq_epi32(_mm_and_si128(c, rgb), vkey), d, r);
        StoreV(out + 4 * i, r);
    }
    for (; i < n; ++i) {
        const std::uint32_t d = Load32(back + 4 * i), c = Load32(front + 4 * i);
        Store32(out + 4 * i,
                keyed && (c & 0xFFFFFF) == key ? d : Mix(d, c, 256 - alpha, alpha, 0xFF0000, 0xFF00, 0xFF));
    }
}

static void MaskRow565Sse2(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                           const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint16_t key) {
    const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi16(255);
    const __m128i vkey = _mm_set1_epi16(static_cast<short>(key));
    std::int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i f =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(mask + i)), zero);
        const __m128i d = LoadV(back + 2 * i), e = LoadV(front + 2 * i);
        __m128i r = Select(_mm_cmpeq_epi16(f, full), e, Mix565(d, e, _mm_sub_epi16(full, f), f));
        __m128i keep = _mm_cmpeq_epi16(f, zero);
        if (keyed) keep = _mm_or_si128(keep, _mm_cmpeq_epi16(e, vkey));
        StoreV(out + 2 * i, Select(keep, d, r));
    }
    for (; i < n; ++i) {
        const std::uint32_t d = Load16(back + 2 * i), e = Load16(front + 2 * i);
        Store16(out + 2 * i, MaskPixel(d, e, mask[i], keyed && e == key, 0xF800, 0x07E0, 0x001F));
    }
}

static void MaskRow8888Sse2(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                            const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint32_t key) {
    const __m128i zero = _mm_setzero_si128(), full16 = _mm_set1_epi16(255), full32 = _mm_set1_epi32(255);
    const __m128i vkey = _mm_set1_epi32(static_cast<int>(key)), rgb = _mm_set1_epi32(0x00FFFFFF);
    std::int32_t i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128i f16 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(Load32(mask + i))), zero);
        const __m128i pairs = _mm_unpacklo_epi16(f16, f16);
        const __m128i fLo = _mm_unpacklo_epi32(pairs, pairs), fHi = _mm_unpackhi_epi32(pairs, pairs);
        const __m128i f32 = _mm_unpacklo_epi16(f16, zero);
        const __m128i d = LoadV(back + 4 * i), e = LoadV(front + 4 * i);
        const __m128i mixed = Mix8888(d, e, _mm_sub_epi16(full16, fLo), fLo, _mm_sub_epi16(full16, fHi), fHi);
        __m128i r = Select(_mm_cmpeq_epi32(f32, full32), e, mixed);
        __m128i keep = _mm_cmpeq_epi32(f32, zero);
        if (keyed) keep = _mm_or_si128(keep, _mm_cmpeq_epi32(_mm_and_si128(e, rgb), vkey));
        StoreV(out + 4 * i, Select(keep, d, r));
    }
    for (; i < n; ++i) {
        const std::uint32_t d = Load32(back + 4 * i), e = Load32(front + 4 * i);
        Store32(out + 4 * i,
                MaskPixel(d, e, mask[i], keyed && (e & 0xFFFFFF) == key, 0xFF0000, 0xFF00, 0xFF));
    }
}

void CopyKeyed16(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint16_t key) {
    HasAvx512() ? CopyKeyed16Avx512(dst, src, n, key) : CopyKeyed16Sse2(dst, src, n, key);
}

void CopyKeyed32(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint32_t key) {
    HasAvx512() ? CopyKeyed32Avx512(dst, src, n, key) : CopyKeyed32Sse2(dst, src, n, key);
}

void AlphaRow565(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front, std::int32_t n,
                 std::uint32_t alpha, bool keyed, std::uint16_t key) {
    HasAvx512() ? AlphaRow565Avx512(out, back, front, n, alpha, keyed, key)
                : AlphaRow565Sse2(out, back, front, n, alpha, keyed, key);
}

void AlphaRow8888(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front, std::int32_t n,
                  std::uint32_t alpha, bool keyed, std::uint32_t key) {
    HasAvx512() ? AlphaRow8888Avx512(out, back, front, n, alpha, keyed, key)
                : AlphaRow8888Sse2(out, back, front, n, alpha, keyed, key);
}

void MaskRow565(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint16_t key) {
    HasAvx512() ? MaskRow565Avx512(out, back, front, mask, n, keyed, key)
                : MaskRow565Sse2(out, back, front, mask, n, keyed, key);
}

void MaskRow8888(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                 const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint32_t key) {
    HasAvx512() ? MaskRow8888Avx512(out, back, front, mask, n, keyed, key)
                : MaskRow8888Sse2(out, back, front, mask, n, keyed, key);
}

void GatherStretchedRow(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n,
                        std::uint32_t bpp, std::int32_t srcCount) {
    switch (bpp) {
        case 1:
            GatherRow<1>(out, src, xs, n);
            break;
        case 2:
            HasAvx512() ? Gather16Avx512(out, src, xs, n, srcCount) : GatherRow<2>(out, src, xs, n);
            break;
        case 3:
            GatherRow<3>(out, src, xs, n);
            break;
        default:
            HasAvx512() ? Gather32Avx512(out, src, xs, n, srcCount) : GatherRow<4>(out, src, xs, n);
            break;
    }
}
