// The fast row kernels against the per-pixel rules written out plainly here:
// random pictures, rectangles, stretch factors, alphas, masks and keys. ctest
// runs them at every instruction-set level through VANTOREL_SIMD.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "engine/blend.h"
#include "engine/pixel_rows_simd.h"
#include "surface_test_util.h"

namespace {

std::uint64_t g_seed = 42;
std::uint32_t Rand() {
    g_seed = g_seed * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(g_seed >> 33);
}
std::int32_t Rand(std::int32_t low, std::int32_t high) {
    return low + static_cast<std::int32_t>(Rand() % static_cast<std::uint32_t>(high - low + 1));
}

// Inside a random box or not; outside it a sprite is all key colour.
bool InFrame(std::uint32_t x, std::uint32_t y, std::uint32_t w, std::uint32_t h, bool framed) {
    static std::uint32_t box[4];
    if (x == 0 && y == 0) box[0] = Rand() % w, box[1] = Rand() % w, box[2] = Rand() % h, box[3] = Rand() % h;
    return !framed || (x >= box[0] && x <= box[0] + box[1] && y >= box[2] && y <= box[2] + box[3]);
}

// Random pixels, a quarter of them the key value 0, some with foreign top
// bytes; framed: only key colour outside a random box, as around a sprite.
void Scramble(TSurface& s, bool framed = false) {
    const std::uint32_t full = s.PixelFormat().dwRGBBitCount == 32   ? 0xFFFFFFFFu
                               : s.PixelFormat().dwRGBBitCount == 24 ? 0xFFFFFFu
                                                                     : 0xFFFFu;
    for (std::uint32_t y = 0; y < s.Height(); ++y)
        for (std::uint32_t x = 0; x < s.Width(); ++x)
            SetPx(s, x, y,
                  Rand() % 4 == 0 || !InFrame(x, y, s.Width(), s.Height(), framed) ? 0 : Rand() & full);
}

TRect RandomRect(const TSurface& s) {
    const std::int32_t w = Rand(1, static_cast<std::int32_t>(s.Width())),
                       h = Rand(1, static_cast<std::int32_t>(s.Height()));
    return Bounds(Rand(0, static_cast<std::int32_t>(s.Width()) - w),
                  Rand(0, static_cast<std::int32_t>(s.Height()) - h), w, h);
}

std::uint32_t Mix(std::uint32_t d, std::uint32_t c, std::uint32_t wd, std::uint32_t wc,
                  const TPixelFormat& f) {
    const std::uint32_t R = f.dwRBitMask, G = f.dwGBitMask, B = f.dwBBitMask;
    return ((((d & R) * wd + (c & R) * wc) & (R << 8)) | (((d & G) * wd + (c & G) * wc) & (G << 8)) |
            (((d & B) * wd + (c & B) * wc) & (B << 8))) >>
           8;
}

// The loops exactly as the rules state them, with the front's own stepping.
void Reference(TSurface& back, TSurface& front, TSurface& out, const TRect& br, const TRect& fr, int alpha,
               const TAlphaMask* mask, bool keyed) {
    const TPixelFormat& f = back.PixelFormat();
    const std::uint32_t cm = f.ColourMask(), bytes = f.BytesPerPixel();
    const std::uint32_t stepX = (std::uint32_t(fr.Width()) << 16) / std::uint32_t(br.Width());
    const std::uint32_t stepY = (std::uint32_t(fr.Height()) << 16) / std::uint32_t(br.Height());
    const std::int32_t stride = (static_cast<std::int32_t>(front.Width()) + 3) & ~3;
    std::int32_t frow = fr.top;
    std::uint32_t fy = 0;
    for (std::int32_t y = 0; y < br.Height(); ++y) {
        std::uint32_t fx = 0;
        for (std::int32_t x = 0; x < br.Width(); ++x, fx += stepX) {
            const std::int32_t fcol = fr.left + static_cast<std::int32_t>(fx >> 16);
            const std::uint32_t c = GetPx(front, fcol, frow), d = GetPx(back, br.left + x, br.top + y);
            std::uint32_t r = d;
            if (!keyed || (c & cm) != 0) {
                if (!mask) {
                    r = Mix(d, c, 256 - alpha, alpha, f);
                } else {
                    const std::uint32_t m = (*mask)[std::size_t(frow) * stride + fcol];
                    r = m == 0 ? d : m == 255 ? c : Mix(d, c, 255 - m, m, f);
                }
            }
            const std::uint32_t keep = bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1;
            SetPx(out, x, y, r & keep);
        }
        fy += stepY;
        frow += static_cast<std::int32_t>(fy >> 16);
        fy &= 0xFFFF;
    }
}

}  // namespace

TEST(BlendKernels, MatchThePerPixelRulesOnEveryFormat) {
    for (const TPixelFormat& f : {PixelFormatRGB565(), PixelFormatXRGB8888(), PixelFormatRGB888()})
        for (int round = 0; round < 60; ++round) {
            auto back = MakeSurface(Rand(1, 70), Rand(1, 20), f),
                 front = MakeSurface(Rand(1, 70), Rand(1, 20), f);
            auto out = MakeSurface(70, 20, f), expected = MakeSurface(70, 20, f);
            // Every other pair of rounds blends straight into the back.
            const bool intoBack = round % 4 >= 2;
            Scramble(*back);
            Scramble(*front, round % 3 == 0);
            const TRect br = RandomRect(*back), fr = RandomRect(*front);
            const int alpha = Rand(0, 255);
            const bool keyed = Rand() % 2 == 0;
            const std::uint32_t stride = (front->Width() + 3) & ~3u;
            TAlphaMask mask(std::size_t(stride) * front->Height());
            const bool maskFramed = round % 5 < 2;
            for (std::size_t i = 0; i < mask.size(); ++i)
                mask[i] =
                    Rand() % 3 == 0 || !InFrame(i % stride, i / stride, stride, front->Height(), maskFramed)
                        ? 0
                    : Rand() % 2 == 0 ? 255
                                      : static_cast<std::uint8_t>(Rand());
            const TDDColorKey key{0, 0};
            front->SetColorKey(DDCKEY_SRCBLT, &key);
            const bool useMask = round % 2 == 1;
            Reference(*back, *front, *expected, br, fr, alpha, useMask ? &mask : nullptr, keyed);
            auto before = MakeSurface(back->Width(), back->Height(), f);
            before->Blt(nullptr, back.get(), nullptr, DDBLT_WAIT, nullptr);
            const TBlendOutput output = intoBack ? TBlendOutput::backRect : TBlendOutput::outSurface;
            if (useMask)
                MaskBlendStretch(*back, *front, *out, br, fr, mask, keyed, output);
            else
                AlphaBlendStretch(*back, *front, *out, br, fr, static_cast<std::uint8_t>(alpha), keyed,
                                  output);
            for (std::int32_t y = 0; y < static_cast<std::int32_t>(back->Height()); ++y)
                for (std::int32_t x = 0; x < static_cast<std::int32_t>(back->Width()); ++x) {
                    const bool inRect = x >= br.left && x < br.right && y >= br.top && y < br.bottom;
                    if (!intoBack && !inRect) continue;
                    const std::uint32_t got =
                        intoBack ? GetPx(*back, x, y) : GetPx(*out, x - br.left, y - br.top);
                    ASSERT_EQ(got, inRect ? GetPx(*expected, x - br.left, y - br.top) : GetPx(*before, x, y))
                        << f.dwRGBBitCount << " bits, round " << round << " at " << x << "," << y;
                }
        }
}

TEST(BlendKernels, KeyedStretchBltMatchesThePerPixelCopy) {
    for (const TPixelFormat& f : {PixelFormatRGB565(), PixelFormatXRGB8888(), PixelFormatRGB888()})
        for (int round = 0; round < 60; ++round) {
            auto src = MakeSurface(Rand(1, 70), Rand(1, 20), f), dst = MakeSurface(70, 20, f);
            Scramble(*src, round % 2 == 0);
            Scramble(*dst);
            const TDDColorKey key{0, round % 3 == 0 ? 0x20u : 0u};  // a range now and then
            src->SetColorKey(DDCKEY_SRCBLT, &key);
            const TRect sr = RandomRect(*src), dr = RandomRect(*dst);
            auto before = MakeSurface(70, 20, f);
            for (std::uint32_t y = 0; y < 20; ++y)
                for (std::uint32_t x = 0; x < 70; ++x) SetPx(*before, x, y, GetPx(*dst, x, y));
            ASSERT_EQ(dst->Blt(&dr, src.get(), &sr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr), DD_OK);
            const std::uint32_t stepX = (std::uint32_t(sr.Width()) << 16) / std::uint32_t(dr.Width());
            const std::uint32_t stepY = (std::uint32_t(sr.Height()) << 16) / std::uint32_t(dr.Height());
            for (std::int32_t y = 0; y < 20; ++y)
                for (std::int32_t x = 0; x < 70; ++x) {
                    std::uint32_t want = GetPx(*before, x, y);
                    if (x >= dr.left && x < dr.right && y >= dr.top && y < dr.bottom) {
                        const std::uint32_t c =
                            GetPx(*src, sr.left + static_cast<std::int32_t>(((x - dr.left) * stepX) >> 16),
                                  sr.top + static_cast<std::int32_t>(((y - dr.top) * stepY) >> 16));
                        if (c > key.dwColorSpaceHighValue) want = c;
                    }
                    ASSERT_EQ(GetPx(*dst, x, y), want) << f.dwRGBBitCount << " bits, round " << round;
                }
        }
}

TEST(SimdLevel, IsTheAskedOneUpToTheProcessorsAndChoosesItsKernels) {
    EXPECT_EQ(SimdLevelFor("sse2", TSimdLevel::avx512), TSimdLevel::sse2);
    EXPECT_EQ(SimdLevelFor("avx2", TSimdLevel::avx512), TSimdLevel::avx2);
    EXPECT_EQ(SimdLevelFor("avx512", TSimdLevel::avx2), TSimdLevel::avx2);
    EXPECT_EQ(SimdLevelFor("AVX2 please", TSimdLevel::avx512), TSimdLevel::avx512);
    EXPECT_EQ(SimdLevelFor(nullptr, TSimdLevel::sse2), TSimdLevel::sse2);
    // What the run under test asked for is what draws.
    const TSimdLevel level = CurrentSimdLevel();
    EXPECT_EQ(level, SimdLevelFor(std::getenv("VANTOREL_SIMD"), ProcessorSimdLevel()));
    const TRowKernels* tables[] = {&kSse2RowKernels, &kAvx2RowKernels, &kAvx512RowKernels};
    EXPECT_EQ(RowKernels().maskRow8888, tables[static_cast<int>(level)]->maskRow8888) << SimdLevelName(level);
}
