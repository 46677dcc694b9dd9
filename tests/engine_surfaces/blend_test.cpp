// The blends are bit-exact: fixed weights, division by 256, key and mask rules,
// and every failure leaves the three surfaces unlocked.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "engine/blend.h"
#include "surface_test_util.h"

namespace {

struct TBlendSet {
    TSurfaceRef back, front, out;
};

TBlendSet MakeSet(const TPixelFormat& f, std::uint32_t backValue, std::uint32_t frontValue) {
    TBlendSet s{MakeSurface(4, 4, f), MakeSurface(4, 4, f), MakeSurface(8, 8, f)};
    FillAll(*s.back, backValue);
    FillAll(*s.front, frontValue);
    return s;
}

std::uint32_t AlphaOne(const TPixelFormat& f, std::uint32_t d, std::uint32_t c, std::uint8_t a,
                       bool keyed = false) {
    auto s = MakeSet(f, d, c);
    AlphaBlendStretch(*s.back, *s.front, *s.out, Bounds(0, 0, 1, 1), Bounds(0, 0, 1, 1), a, keyed);
    return GetPx(*s.out, 0, 0);
}

std::uint32_t MaskOne(const TPixelFormat& f, std::uint32_t d, std::uint32_t e, std::uint8_t m,
                      bool keyed = false) {
    auto s = MakeSet(f, d, e);
    const TAlphaMask mask(4 * 4, m);
    MaskBlendStretch(*s.back, *s.front, *s.out, Bounds(0, 0, 1, 1), Bounds(0, 0, 1, 1), mask, keyed);
    return GetPx(*s.out, 0, 0);
}

}  // namespace

TEST(AlphaBlend, ConstantAlphaWeighs256MinusAAndA) {
    const TPixelFormat x8 = PixelFormatXRGB8888();
    EXPECT_EQ(AlphaOne(x8, 0x123456, 0xFFFFFF, 0), 0x123456u) << "alpha 0 leaves the background";
    // alpha 255 still mixes 1/256 of the background: (0x80 * 1 + 0x00 * 255) >> 8 = 0.
    EXPECT_EQ(AlphaOne(x8, 0x808080, 0x000000, 255), 0x000000u);
    EXPECT_EQ(AlphaOne(x8, 0x000000, 0xFFFFFF, 255), 0xFEFEFEu);
    EXPECT_EQ(AlphaOne(x8, 0xFF0000, 0x0000FF, 128), 0x7F007Fu);
    EXPECT_EQ(AlphaOne(x8, 0x102030, 0x405060, 64), 0x1C2C3Cu);
    EXPECT_EQ(AlphaOne(PixelFormatRGB888(), 0x102030, 0x405060, 64), 0x1C2C3Cu);
    // 5-6-5: white over black at 128 is red 15, green 31, blue 15.
    EXPECT_EQ(AlphaOne(PixelFormatRGB565(), 0x0000, 0xFFFF, 128), 0x7BEFu);
    EXPECT_EQ(AlphaOne(PixelFormatRGB565(), 0xFFFF, 0x0000, 1), 0xF7DEu);
}

TEST(AlphaBlend, KeyedFrontPixelsLeaveTheBack) {
    const TPixelFormat x8 = PixelFormatXRGB8888();
    EXPECT_EQ(AlphaOne(x8, 0x445566, 0x000000, 200, true), 0x445566u);
    EXPECT_EQ(AlphaOne(x8, 0x445566, 0x000000, 200, false), 0x0E1216u);
    // Bits outside the masks do not make a key pixel visible.
    EXPECT_EQ(AlphaOne(x8, 0x445566, 0xFF000000, 200, true), 0x445566u);
}

TEST(MaskBlend, ZeroKeepsFullTakesAndPartsWeigh255MinusFAndF) {
    const TPixelFormat x8 = PixelFormatXRGB8888();
    EXPECT_EQ(MaskOne(x8, 0x123456, 0xABCDEF, 0), 0x123456u);
    EXPECT_EQ(MaskOne(x8, 0x123456, 0xABCDEF, 255), 0xABCDEFu);
    // 128: (d * 127 + e * 128) >> 8.
    EXPECT_EQ(MaskOne(x8, 0xFFFFFF, 0x000000, 128), 0x7E7E7Eu);
    EXPECT_EQ(MaskOne(x8, 0x000000, 0xFFFFFF, 128), 0x7F7F7Fu);
    EXPECT_EQ(MaskOne(x8, 0xFFFFFF, 0xFFFFFF, 254), 0xFEFEFEu) << "divides by 256, not 255";
    EXPECT_EQ(MaskOne(PixelFormatRGB565(), 0x0000, 0xFFFF, 128), 0x7BEFu);
    EXPECT_EQ(MaskOne(x8, 0x445566, 0x000000, 255, true), 0x445566u) << "a keyed pixel leaves the back";
}

TEST(Blends, StretchSamplesTheFrontAndTheMaskByNearestNeighbour) {
    const TPixelFormat x8 = PixelFormatXRGB8888();
    auto back = MakeSurface(6, 3, x8), front = MakeSurface(4, 2, x8), out = MakeSurface(8, 8, x8);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) SetPx(*front, x, y, 0x10 * (y + 1) + x + 1);
    TAlphaMask mask(4 * 2, 255);
    mask[4 + 3] = 0;  // row 1, column 3
    MaskBlendStretch(*back, *front, *out, Bounds(0, 0, 6, 3), Bounds(0, 0, 4, 2), mask, false);
    // Columns 0,0,1,1,2,3 and rows 0,0,1 as (n << 16) div m stepping gives.
    const std::uint32_t cols[6] = {1, 1, 2, 2, 3, 4};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(GetPx(*out, x, 0), 0x10 + cols[x]);
        EXPECT_EQ(GetPx(*out, x, 1), 0x10 + cols[x]);
        EXPECT_EQ(GetPx(*out, x, 2), x == 5 ? 0u : 0x20 + cols[x]);
    }
    // The output starts at the work surface's top-left whatever the back rectangle.
    SetPx(*back, 2, 1, 0xABCDEF);
    AlphaBlendStretch(*back, *front, *out, Bounds(2, 1, 2, 2), Bounds(1, 1, 1, 1), 0, false);
    EXPECT_EQ(GetPx(*out, 0, 0), 0xABCDEFu);
}

TEST(Blends, RectangleAndFormatErrorsNameTheProblemAndLeaveAllUnlocked) {
    const TPixelFormat x8 = PixelFormatXRGB8888();
    auto expectFailure = [](TBlendSet s, const TRect& backRect, const TRect& frontRect,
                            const std::string& message) {
        const TAlphaMask mask(64, 128);
        try {
            MaskBlendStretch(*s.back, *s.front, *s.out, backRect, frontRect, mask, true);
            ADD_FAILURE() << "no exception for " << message;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        EXPECT_FALSE(s.back->IsLocked());
        EXPECT_FALSE(s.front->IsLocked());
        EXPECT_FALSE(s.out->IsLocked());
    };
    expectFailure(MakeSet(x8, 0, 0), Bounds(-1, 0, 2, 2), Bounds(0, 0, 2, 2),
                  "Back rectangle outside surface boundaries");
    expectFailure(MakeSet(x8, 0, 0), Bounds(3, 0, 2, 2), Bounds(0, 0, 2, 2),
                  "Back rectangle outside surface boundaries");
    expectFailure(MakeSet(x8, 0, 0), Bounds(0, 0, 2, 2), Bounds(0, 3, 2, 2),
                  "Front rectangle outside surface boundaries");
    TBlendSet small{MakeSurface(4, 4, x8), MakeSurface(4, 4, x8), MakeSurface(2, 4, x8)};
    expectFailure(small, Bounds(0, 0, 3, 2), Bounds(0, 0, 2, 2), "Dest rectangle outside surface boundaries");
    TBlendSet mixed{MakeSurface(4, 4, x8), MakeSurface(4, 4), MakeSurface(4, 4, x8)};
    expectFailure(mixed, Bounds(0, 0, 2, 2), Bounds(0, 0, 2, 2),
                  "Back and front surface pixel formats don't match");
    TBlendSet mixedOut{MakeSurface(4, 4), MakeSurface(4, 4), MakeSurface(4, 4, x8)};
    expectFailure(mixedOut, Bounds(0, 0, 2, 2), Bounds(0, 0, 2, 2),
                  "Back and destination surface pixel formats don't match");
    TBlendSet palette{MakeSurface(4, 4, PixelFormatIndexed8()), MakeSurface(4, 4), MakeSurface(4, 4)};
    expectFailure(palette, Bounds(0, 0, 2, 2), Bounds(0, 0, 2, 2), "Not on RGB format");
    TPixelFormat high = x8;
    high.dwRBitMask = 0xFF000000;
    TBlendSet highMask{MakeSurface(4, 4, high), MakeSurface(4, 4, high), MakeSurface(4, 4, high)};
    expectFailure(highMask, Bounds(0, 0, 2, 2), Bounds(0, 0, 2, 2), "Pixel format not supported");
    TPixelFormat odd = PixelFormatRGB565();
    odd.dwRGBBitCount = 8;
    TBlendSet eight{MakeSurface(4, 4, odd), MakeSurface(4, 4, odd), MakeSurface(4, 4, odd)};
    expectFailure(eight, Bounds(0, 0, 2, 2), Bounds(0, 0, 2, 2), "Invalid bit count");
}

TEST(Blends, AMaskShorterThanItsSheetIsRefusedBeforeAnyRead) {
    auto s = MakeSet(PixelFormatXRGB8888(), 0, 0);
    const TAlphaMask shortMask(4 * 3, 255);
    EXPECT_THROW(
        MaskBlendStretch(*s.back, *s.front, *s.out, Bounds(0, 0, 4, 4), Bounds(0, 0, 4, 4), shortMask, false),
        std::runtime_error);
    EXPECT_FALSE(s.back->IsLocked());
}
