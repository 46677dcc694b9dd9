// The row kernels written once over a vector type V whose operations each
// level's file supplies with its own instructions (SSE2, AVX2, AVX-512). The
// blends split each pixel into channels in 16-bit lanes: with at most 8 bits
// per channel, d * (256 - a) + c * a stays below 65536, and taking bits 8.. of
// it is what the masked arithmetic of the per-pixel rule yields, so the
// results are identical.
//
// Only the level files include this, and everything here has internal
// linkage: a shared inline copy compiled for AVX2 could otherwise be the one
// the linker keeps, and run on a processor without AVX2.
#pragma once

#include <cstdint>
#include <cstring>

#include "engine/pixel_rows_simd.h"

// Inlined into each caller, so that a chunk's byte count is a constant in
// the main loop and V's loads and stores become plain vector ones there.
#define VANTOREL_INLINE __attribute__((always_inline))

namespace {

// The vector operations the kernels use, in GCC's generic vectors of Bytes
// bytes: the compiler picks the instructions of the file's target, so the
// levels share them. Masks are lanes of all ones or zeros. Each level adds
// the widening loads (Bytes16 and Bytes32 give count bytes in 16- or 32-bit
// lanes, Words32 count 16-bit words in 32-bit lanes) and the gathers
// (Gather16 and Gather32: the pixels src[xs[k]] for k below count, the
// columns xs growing from left to right and src holding srcCount pixels).
template <std::uint32_t Bytes>
struct TVectorOps {
    static constexpr std::uint32_t kBytes = Bytes;
    typedef long long Reg __attribute__((vector_size(Bytes)));
    typedef std::uint8_t U8 __attribute__((vector_size(Bytes)));
    typedef std::int8_t S8 __attribute__((vector_size(Bytes)));
    typedef std::uint16_t U16 __attribute__((vector_size(Bytes)));
    typedef std::uint32_t U32 __attribute__((vector_size(Bytes)));

    // The first `bytes` bytes at p (all of T when bytes covers it), the rest zero.
    template <class T>
    static VANTOREL_INLINE T LoadPart(const std::uint8_t* p, std::uint32_t bytes) {
        T v{};
        std::memcpy(&v, p, bytes >= sizeof(T) ? sizeof(T) : bytes);
        return v;
    }
    static VANTOREL_INLINE Reg Load(const std::uint8_t* p, std::uint32_t bytes) {
        return LoadPart<Reg>(p, bytes);
    }
    static VANTOREL_INLINE void Store(std::uint8_t* p, std::uint32_t bytes, Reg v) {
        std::memcpy(p, &v, bytes >= Bytes ? Bytes : bytes);
    }
    static VANTOREL_INLINE Reg Set16(std::uint32_t v) { return Reg(U16{} + static_cast<std::uint16_t>(v)); }
    static VANTOREL_INLINE Reg Set32(std::uint32_t v) { return Reg(U32{} + v); }
    static VANTOREL_INLINE Reg And(Reg a, Reg b) { return a & b; }
    static VANTOREL_INLINE Reg Or(Reg a, Reg b) { return a | b; }
    static VANTOREL_INLINE Reg Add16(Reg a, Reg b) { return Reg(U16(a) + U16(b)); }
    static VANTOREL_INLINE Reg Sub16(Reg a, Reg b) { return Reg(U16(a) - U16(b)); }
    static VANTOREL_INLINE Reg Mul16(Reg a, Reg b) { return Reg(U16(a) * U16(b)); }
    static VANTOREL_INLINE Reg Shr16(Reg a, int n) { return Reg(U16(a) >> n); }
    static VANTOREL_INLINE Reg Shl16(Reg a, int n) { return Reg(U16(a) << n); }
    static VANTOREL_INLINE Reg Shr32(Reg a, int n) { return Reg(U32(a) >> n); }
    static VANTOREL_INLINE Reg Shl32(Reg a, int n) { return Reg(U32(a) << n); }
    static VANTOREL_INLINE Reg Eq16(Reg a, Reg b) { return Reg(U16(a) == U16(b)); }
    static VANTOREL_INLINE Reg Eq32(Reg a, Reg b) { return Reg(U32(a) == U32(b)); }
    static VANTOREL_INLINE Reg Select16(Reg m, Reg ifSet, Reg ifClear) { return Select(m, ifSet, ifClear); }
    static VANTOREL_INLINE Reg Select32(Reg m, Reg ifSet, Reg ifClear) { return Select(m, ifSet, ifClear); }
    static VANTOREL_INLINE Reg Select(Reg m, Reg ifSet, Reg ifClear) {
        // SSE2 has no blend instruction; the wider levels have one that
        // looks only at each byte's top bit.
        if constexpr (Bytes == 16)
            return (m & ifSet) | (~m & ifClear);
        else
            return Reg(S8(m) < 0 ? U8(ifSet) : U8(ifClear));
    }
    // The gather of a few pixels, one by one, for rows shorter than a register.
    template <class Pixel>
    static VANTOREL_INLINE Reg GatherFew(const std::uint8_t* src, const std::uint32_t* xs,
                                         std::uint32_t count) {
        Pixel few[Bytes / sizeof(Pixel)] = {};
        for (std::uint32_t k = 0; k < count && k < Bytes / sizeof(Pixel); ++k)
            std::memcpy(&few[k], src + std::size_t(xs[k]) * sizeof(Pixel), sizeof(Pixel));
        return LoadPart<Reg>(reinterpret_cast<const std::uint8_t*>(few), Bytes);
    }
    // Stores s where key is clear, keeping the pixels under key set.
    static VANTOREL_INLINE void StoreUnless16(std::uint8_t* p, std::uint32_t bytes, Reg key, Reg s) {
        Store(p, bytes, Select(key, Load(p, bytes), s));
    }
    static VANTOREL_INLINE void StoreUnless32(std::uint8_t* p, std::uint32_t bytes, Reg key, Reg s) {
        Store(p, bytes, Select(key, Load(p, bytes), s));
    }
};

// Calls chunk(i, bytes) for the runs of V::kBytes bytes of a row of n pixels
// from pixel i on, for a chunk that stores its own result and may be
// repeated (the keyed copy): a row's last pixels are done first, by one whole
// run that ends at the row's end and so overlaps the run before it (first,
// so that no load reads across a store just made, which would stall). A
// partial run (through memory, so slower) is left to rows shorter than one.
template <class V, std::int32_t PixelBytes, class Chunk>
inline VANTOREL_INLINE void ForChunks(std::int32_t n, Chunk chunk) {
    constexpr std::int32_t lanes = static_cast<std::int32_t>(V::kBytes) / PixelBytes;
    if (n < lanes) {
        if (n > 0) chunk(0, static_cast<std::uint32_t>(n * PixelBytes));
        return;
    }
    if (n % lanes != 0) chunk(n - lanes, V::kBytes);
    for (std::int32_t i = 0; i + lanes <= n; i += lanes) chunk(i, V::kBytes);
}

// Stores compute(i, bytes) at out for the runs of a row as ForChunks does,
// also where out is one of compute's inputs (a blend into its own back): the
// last whole run is computed before anything is stored and stored last.
template <class V, std::int32_t PixelBytes, class Compute>
inline VANTOREL_INLINE void ForRow(std::uint8_t* out, std::int32_t n, Compute compute) {
    constexpr std::int32_t lanes = static_cast<std::int32_t>(V::kBytes) / PixelBytes;
    if (n < lanes) {
        const auto bytes = static_cast<std::uint32_t>(n * PixelBytes);
        if (n > 0) V::Store(out, bytes, compute(0, bytes));
        return;
    }
    const auto last = compute(n - lanes, V::kBytes);
    for (std::int32_t i = 0; i + lanes <= n; i += lanes)
        V::Store(out + i * PixelBytes, V::kBytes, compute(i, V::kBytes));
    if (n % lanes != 0) V::Store(out + (n - lanes) * PixelBytes, V::kBytes, last);
}

// ((dv * wd + cv * wc) >> 8) in each 16-bit lane.
template <class V>
inline VANTOREL_INLINE typename V::Reg Channel(typename V::Reg dv, typename V::Reg cv, typename V::Reg wd,
                                               typename V::Reg wc) {
    return V::Shr16(V::Add16(V::Mul16(dv, wd), V::Mul16(cv, wc)), 8);
}

// RGB565 pixels mixed channel by channel with 16-bit lane weights.
template <class V>
inline VANTOREL_INLINE typename V::Reg Mix565(typename V::Reg d, typename V::Reg c, typename V::Reg wd,
                                              typename V::Reg wc) {
    const auto m6 = V::Set16(0x3F), m5 = V::Set16(0x1F);
    const auto r = Channel<V>(V::Shr16(d, 11), V::Shr16(c, 11), wd, wc);
    const auto g = Channel<V>(V::And(V::Shr16(d, 5), m6), V::And(V::Shr16(c, 5), m6), wd, wc);
    const auto b = Channel<V>(V::And(d, m5), V::And(c, m5), wd, wc);
    return V::Or(V::Shl16(r, 11), V::Or(V::Shl16(g, 5), b));
}

// XRGB8888 pixels: blue and red in the low bytes of the 16-bit lanes, green
// and the unused byte in the high ones; the weights stand in both lanes of a
// pixel. The unused byte comes out zero.
template <class V>
inline VANTOREL_INLINE typename V::Reg Mix8888(typename V::Reg d, typename V::Reg c, typename V::Reg wd,
                                               typename V::Reg wc) {
    const auto low = V::Set32(0x00FF00FF);
    const auto br = V::Add16(V::Mul16(V::And(d, low), wd), V::Mul16(V::And(c, low), wc));
    const auto gx = V::Add16(V::Mul16(V::Shr16(d, 8), wd), V::Mul16(V::Shr16(c, 8), wc));
    return V::Or(V::Shr16(br, 8), V::And(gx, V::Set32(0x0000FF00)));
}

// A weight per pixel in both of its 16-bit lanes.
template <class V>
inline VANTOREL_INLINE typename V::Reg PixelWeights(typename V::Reg w32) {
    return V::Or(w32, V::Shl32(w32, 16));
}

// The keyed copy of pixels of Key's size (2 or 4 bytes).
template <class V, class Key>
void CopyKeyed(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, Key key) {
    constexpr std::int32_t pixelBytes = sizeof(Key);
    const auto vkey = pixelBytes == 2 ? V::Set16(key) : V::Set32(key);
    ForChunks<V, pixelBytes>(n, [&](std::int32_t i, std::uint32_t bytes) VANTOREL_INLINE {
        const auto s = V::Load(src + pixelBytes * i, bytes);
        if constexpr (pixelBytes == 2)
            V::StoreUnless16(dst + 2 * i, bytes, V::Eq16(s, vkey), s);
        else
            V::StoreUnless32(dst + 4 * i, bytes, V::Eq32(s, vkey), s);
    });
}

template <class V>
void AlphaRow565(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front, std::int32_t n,
                 std::uint32_t alpha, bool keyed, std::uint16_t key) {
    const auto wc = V::Set16(alpha), wd = V::Set16(256 - alpha), vkey = V::Set16(key);
    ForRow<V, 2>(out, n, [&](std::int32_t i, std::uint32_t bytes) VANTOREL_INLINE {
        const auto d = V::Load(back + 2 * i, bytes), c = V::Load(front + 2 * i, bytes);
        const auto r = Mix565<V>(d, c, wd, wc);
        return keyed ? V::Select16(V::Eq16(c, vkey), d, r) : r;
    });
}

template <class V>
void AlphaRow8888(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front, std::int32_t n,
                  std::uint32_t alpha, bool keyed, std::uint32_t key) {
    const auto wc = V::Set16(alpha), wd = V::Set16(256 - alpha);
    const auto vkey = V::Set32(key), rgb = V::Set32(0x00FFFFFF);
    ForRow<V, 4>(out, n, [&](std::int32_t i, std::uint32_t bytes) VANTOREL_INLINE {
        const auto d = V::Load(back + 4 * i, bytes), c = V::Load(front + 4 * i, bytes);
        const auto r = Mix8888<V>(d, c, wd, wc);
        return keyed ? V::Select32(V::Eq32(V::And(c, rgb), vkey), d, r) : r;
    });
}

// The mask blends: 0 keeps the back, 255 takes the front, others mix with
// 255 - f and f; a keyed front pixel keeps the back.
template <class V>
void MaskRow565(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint16_t key) {
    const auto zero = V::Set16(0), full = V::Set16(255), vkey = V::Set16(key);
    ForRow<V, 2>(out, n, [&](std::int32_t i, std::uint32_t bytes) VANTOREL_INLINE {
        const auto f = V::Bytes16(mask + i, bytes / 2);
        const auto d = V::Load(back + 2 * i, bytes), e = V::Load(front + 2 * i, bytes);
        const auto r = V::Select16(V::Eq16(f, full), e, Mix565<V>(d, e, V::Sub16(full, f), f));
        auto keep = V::Eq16(f, zero);
        if (keyed) keep = keep | V::Eq16(e, vkey);
        return V::Select16(keep, d, r);
    });
}

template <class V>
void MaskRow8888(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                 const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint32_t key) {
    const auto zero = V::Set32(0), full16 = V::Set16(255), full32 = V::Set32(255);
    const auto vkey = V::Set32(key), rgb = V::Set32(0x00FFFFFF);
    ForRow<V, 4>(out, n, [&](std::int32_t i, std::uint32_t bytes) VANTOREL_INLINE {
        const auto f32 = V::Bytes32(mask + i, bytes / 4), f = PixelWeights<V>(f32);
        const auto d = V::Load(back + 4 * i, bytes), e = V::Load(front + 4 * i, bytes);
        const auto r = V::Select32(V::Eq32(f32, full32), e, Mix8888<V>(d, e, V::Sub16(full16, f), f));
        auto keep = V::Eq32(f32, zero);
        if (keyed) keep = keep | V::Eq32(V::And(e, rgb), vkey);
        return V::Select32(keep, d, r);
    });
}

// Gathers out[k] = src[xs[k]] for a stretched row.
template <class V, class Pixel>
void GatherColumns(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n,
                   std::int32_t srcCount) {
    constexpr std::int32_t pixelBytes = sizeof(Pixel);
    ForChunks<V, pixelBytes>(n, [&](std::int32_t i, std::uint32_t bytes) VANTOREL_INLINE {
        const std::uint32_t count = bytes / pixelBytes;
        if constexpr (pixelBytes == 2)
            V::Store(out + 2 * i, bytes, V::Gather16(src, xs + i, count, srcCount));
        else
            V::Store(out + 4 * i, bytes, V::Gather32(src, xs + i, count, srcCount));
    });
}

// A row of XRGB8888 pixels filtered across: out[k] mixes src[firsts[k]] and
// src[seconds[k]] as (a * (256 - w) + b * w) >> 8 per channel with the
// weight byte w = weights[k]; the unused byte comes out zero.
template <class V>
void FilterRow8888(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* firsts,
                   const std::uint32_t* seconds, const std::uint8_t* weights, std::int32_t n,
                   std::int32_t srcCount) {
    const auto whole = V::Set16(256);
    ForRow<V, 4>(out, n, [&](std::int32_t i, std::uint32_t bytes) VANTOREL_INLINE {
        const std::uint32_t count = bytes / 4;
        const auto w = PixelWeights<V>(V::Bytes32(weights + i, count));
        return Mix8888<V>(V::Gather32(src, firsts + i, count, srcCount),
                          V::Gather32(src, seconds + i, count, srcCount), V::Sub16(whole, w), w);
    });
}

// RGB565 to XRGB8888, each channel's top bits repeated into its low bits so
// that white stays white.
template <class V>
void ExpandRgb565(std::uint32_t* out, const std::uint16_t* in, std::int32_t n) {
    const auto in8 = reinterpret_cast<const std::uint8_t*>(in);
    auto* out8 = reinterpret_cast<std::uint8_t*>(out);
    ForChunks<V, 4>(n, [&](std::int32_t i, std::uint32_t bytes) VANTOREL_INLINE {
        const auto p = V::Words32(in8 + 2 * i, bytes / 4);
        const auto r =
            V::Or(V::Shl32(V::And(p, V::Set32(0xF800)), 8), V::Shl32(V::And(p, V::Set32(0xE000)), 3));
        const auto g =
            V::Or(V::Shl32(V::And(p, V::Set32(0x07E0)), 5), V::Shr32(V::And(p, V::Set32(0x0600)), 1));
        const auto b =
            V::Or(V::Shl32(V::And(p, V::Set32(0x001F)), 3), V::Shr32(V::And(p, V::Set32(0x001C)), 2));
        V::Store(out8 + 4 * i, bytes, V::Or(r, V::Or(g, b)));
    });
}

// The table of one level.
template <class V>
constexpr TRowKernels MakeRowKernels() {
    return TRowKernels{CopyKeyed<V, std::uint16_t>,
                       CopyKeyed<V, std::uint32_t>,
                       AlphaRow565<V>,
                       AlphaRow8888<V>,
                       MaskRow565<V>,
                       MaskRow8888<V>,
                       GatherColumns<V, std::uint16_t>,
                       GatherColumns<V, std::uint32_t>,
                       FilterRow8888<V>,
                       ExpandRgb565<V>};
}

}  // namespace
