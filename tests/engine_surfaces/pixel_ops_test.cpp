// Colour conversion, fill, colour replacement and the clipped blits.
#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/dd_errors.h"
#include "engine/pixel_ops.h"
#include "engine/screen.h"
#include "support/temp_program_dir.h"
#include "surface_test_util.h"

TEST(RGBToPixel, Rgb565Cases) {
    auto s = MakeSurface(1, 1);
    EXPECT_EQ(RGBToPixel(*s, 0xFFFFFF), 0xFFFFu);
    EXPECT_EQ(RGBToPixel(*s, 0x000000), 0u);
    EXPECT_EQ(RGBToPixel(*s, 0xFF0000), 0xF800u);
    EXPECT_EQ(RGBToPixel(*s, 0x808080), 0x7BEFu);
    EXPECT_EQ(RGBToPixel(*s, 0x00FF00), 0x07E0u);
    EXPECT_EQ(RGBToPixel(*s, 0x0000FF), 0x001Fu);
}

TEST(RGBToPixel, ThirtyTwoBitIsExactAndPalettisedIsRefused) {
    auto s = MakeSurface(1, 1, PixelFormatXRGB8888());
    EXPECT_EQ(RGBToPixel(*s, 0x123456), 0x123456u);
    EXPECT_EQ(RGBToPixel(*s, 0xFF00FF), 0xFF00FFu);
    auto p = MakeSurface(1, 1, PixelFormatIndexed8());
    try {
        RGBToPixel(*p, 0);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Not on RGB format");
    }
}

TEST(ReplaceColor, ReplacesOnlyTheColourAndKeepsBitsOutsideTheMasks) {
    auto s = MakeSurface(3, 1, PixelFormatXRGB8888());
    SetPx(*s, 0, 0, 0xAB123456);  // foreign top byte, colour matches
    SetPx(*s, 1, 0, 0x00123457);
    SetPx(*s, 2, 0, 0x00123456);
    ReplaceColor(s, 0x123456, 0x000000);
    EXPECT_EQ(GetPx(*s, 0, 0), 0xAB000000u);
    EXPECT_EQ(GetPx(*s, 1, 0), 0x00123457u);
    EXPECT_EQ(GetPx(*s, 2, 0), 0u);
    EXPECT_FALSE(s->IsLocked());
}

TEST(ReplaceColor, RefusesAPalettisedSurface) {
    auto s = MakeSurface(2, 2, PixelFormatIndexed8());
    EXPECT_THROW(ReplaceColor(s, 1, 2), std::runtime_error);
    EXPECT_FALSE(s->IsLocked());
}

TEST(Colorfill, FillsAndLogsFailuresWithItsArguments) {
    TempProgramDir dir;
    ResetScreenGlobals();
    auto s = MakeSurface(10, 10);
    Colorfill(s, 2, 3, 4, 5, 0xFF0000);
    EXPECT_EQ(GetPx(*s, 2, 3), 0xF800u);
    EXPECT_EQ(GetPx(*s, 5, 7), 0xF800u);
    EXPECT_EQ(GetPx(*s, 6, 7), 0u);
    s->SetLost(true);
    EXPECT_THROW(Colorfill(s, 1, 2, 3, 4, 255), EDirectXSurfaceLostError);
    EXPECT_EQ(ReadLogText(), "Error in Colorfill: Surface Lost (1,2,3,4,255)\r\n");
    SurfaceLost = false;
}

class ClippedBlit : public ::testing::Test {
protected:
    void SetUp() override {
        MakeScreen();
        source = MakeSurface(20, 10);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x) SetPx(*source, x, y, 0x100 * y + x + 1);
        dest = SecondarySurface();
    }
    void TearDown() override { ResetScreenGlobals(); }
    TSurfaceRef source, dest;
};

TEST_F(ClippedBlit, CutsByTheOverlapOnEachSide) {
    // Left by 3, top by 2, against the limits (0, 0)-(799, 599).
    BlitClipped(source, 0, 0, 20, 10, dest, -3, -2, false, 0, 0, 799, 599);
    EXPECT_EQ(GetPx(*dest, 0, 0), 0x200u + 3 + 1);
    EXPECT_EQ(GetPx(*dest, 16, 7), 0x900u + 19 + 1);
    EXPECT_EQ(GetPx(*dest, 17, 0), 0u);
    // Right and bottom against inner limits: only up to (104, 52) inclusive.
    BlitClipped(source, 0, 0, 20, 10, dest, 100, 50, false, 0, 0, 104, 52);
    EXPECT_EQ(GetPx(*dest, 104, 52), 0x200u + 4 + 1);
    EXPECT_EQ(GetPx(*dest, 105, 52), 0u);
    EXPECT_EQ(GetPx(*dest, 104, 53), 0u);
}

TEST_F(ClippedBlit, DrawsNothingWhollyOutsideTheLimits) {
    BlitClipped(source, 0, 0, 20, 10, dest, 80, 50, false, 100, 0, 799, 599);  // left of minX
    BlitClipped(source, 0, 0, 20, 10, dest, 300, 50, false, 0, 0, 299, 599);   // right of maxX
    BlitClipped(source, 0, 0, 20, 10, dest, 300, 40, false, 0, 50, 799, 599);  // above minY
    BlitClipped(source, 0, 0, 20, 10, dest, 300, 60, false, 0, 0, 799, 59);    // below maxY
    StretchBlitClipped(source, nullptr, 0, 0, 20, 10, dest, 80, 50, 20, 10, false, 255, 100, 0, 799, 599);
    StretchBlitClipped(source, nullptr, 0, 0, 20, 10, dest, 300, 60, 20, 10, false, 255, 0, 0, 799, 59);
    TSurfaceLock lock(*dest);
    for (std::uint32_t y = 0; y < 600; ++y)
        for (std::uint32_t x = 0; x < 800; ++x) ASSERT_EQ(GetPx(*dest, x, y), 0u) << x << "," << y;
}

TEST_F(ClippedBlit, SecondaryChainGetsTheCentringOffsetOthersDoNot) {
    ScreenOffsetX = 7;
    ScreenOffsetY = 5;
    BlitClipped(source, 0, 0, 1, 1, dest, 0, 0, false, 0, 0, 799, 599);
    EXPECT_EQ(GetPx(*dest, 7, 5), 1u);
    auto other = MakeSurface(10, 10);
    BlitClipped(source, 0, 0, 1, 1, other, 0, 0, false, 0, 0, 799, 599);
    EXPECT_EQ(GetPx(*other, 0, 0), 1u);
    Colorfill(dest, 0, 0, 1, 1, 0xFFFFFF);
    EXPECT_EQ(GetPx(*dest, 7, 5), 0xFFFFu);
}

// Dest 40 wide from a 20 wide source (ratio 2): k cut pixels cut round(k / 2)
// source columns, halves to even.
TEST_F(ClippedBlit, StretchCutsRoundedSourcePixelsHalvesToEven) {
    const struct {
        int destX;
        std::uint32_t firstColumn;
    } cases[] = {{-1, 0}, {-2, 1}, {-3, 2}, {-5, 2}, {-7, 4}, {-4, 2}};
    for (const auto& c : cases) {
        Colorfill(dest, 0, 0, 100, 100, 0);
        StretchBlitClipped(source, nullptr, 0, 0, 20, 10, dest, c.destX, 0, 40, 20, false, 255, 0, 0, 799,
                           599);
        EXPECT_EQ(GetPx(*dest, 0, 0), c.firstColumn + 1) << "destX " << c.destX;
    }
    // Right side: dest 40 wide at x = 775 against maxX 799 cuts 15 dest and
    // round(7.5) = 8 source columns: 12 source columns over 25 pixels.
    StretchBlitClipped(source, nullptr, 0, 0, 20, 10, dest, 775, 0, 40, 20, false, 255, 0, 0, 799, 599);
    EXPECT_EQ(GetPx(*dest, 775, 0), 1u);
    EXPECT_EQ(GetPx(*dest, 799, 0), ((24u * ((12u << 16) / 25)) >> 16) + 1);
}

TEST_F(ClippedBlit, StretchOfAnEmptySourceOrAFullyCutSourceDrawsNothing) {
    StretchBlitClipped(source, nullptr, 0, 0, 0, 10, dest, 0, 0, 40, 20, false, 255, 0, 0, 799, 599);
    EXPECT_EQ(GetPx(*dest, 0, 0), 0u);
    // Two source columns over three pixels, one cut on each side: each cut
    // rounds up to a whole source column, nothing of the source is left.
    StretchBlitClipped(source, nullptr, 0, 0, 2, 10, dest, -1, 0, 3, 20, false, 255, 0, 0, 0, 599);
    EXPECT_EQ(GetPx(*dest, 0, 0), 0u);
    StretchBlitClipped(source, nullptr, 0, 0, 2, 10, dest, -1, 0, 3, 20, false, 255, 0, 0, 1, 599);
    EXPECT_EQ(GetPx(*dest, 0, 0), 2u);
}

TEST_F(ClippedBlit, StretchPathsFollowTransparencyAndMasks) {
    auto sheet = MakeSurface(2, 1, PixelFormatRGB565());
    SetPx(*sheet, 0, 0, 0xFFFF);
    SetPx(*sheet, 1, 0, 0xFFFF);
    TDDColorKey key{0, 0};
    sheet->SetColorKey(DDCKEY_SRCBLT, &key);
    // Constant alpha 128 over black: (0x1F * 128) >> 8 = 15 blue, 31 green, 15 red.
    StretchBlitClipped(sheet, nullptr, 0, 0, 1, 1, dest, 0, 0, 1, 1, true, 128, 0, 0, 799, 599);
    EXPECT_EQ(GetPx(*dest, 0, 0), 0x7BEFu);
    Transparency = false;
    StretchBlitClipped(sheet, nullptr, 0, 0, 1, 1, dest, 1, 0, 1, 1, true, 128, 0, 0, 799, 599);
    EXPECT_EQ(GetPx(*dest, 1, 0), 0xFFFFu) << "without transparency the sprite is opaque";
    const TAlphaMask mask = {0, 128, 0, 0};  // stride 4 for a 2 pixel wide sheet
    StretchBlitClipped(sheet, &mask, 1, 0, 1, 1, dest, 2, 0, 1, 1, true, 255, 0, 0, 799, 599);
    EXPECT_EQ(GetPx(*dest, 2, 0), 0x7BEFu) << "mask 128: weights 127 and 128 over 256";
    AlphaMasks = false;
    StretchBlitClipped(sheet, &mask, 1, 0, 1, 1, dest, 3, 0, 1, 1, true, 255, 0, 0, 799, 599);
    EXPECT_EQ(GetPx(*dest, 3, 0), 0xFFFFu);
}

TEST_F(ClippedBlit, BltOffsetFillsTheGameAreaForANilRectangle) {
    ScreenWidth = 10;
    ScreenHeight = 5;
    ScreenOffsetX = 3;
    ScreenOffsetY = 2;
    TDDBltFx fx;
    fx.dwFillColor = 0x1234;
    BltOffset(dest, nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    EXPECT_EQ(GetPx(*dest, 3, 2), 0x1234u);
    EXPECT_EQ(GetPx(*dest, 12, 6), 0x1234u);
    EXPECT_EQ(GetPx(*dest, 13, 6), 0u);
    EXPECT_EQ(GetPx(*dest, 2, 2), 0u);
}
