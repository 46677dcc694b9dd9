// Text painting with a fake rasteriser whose every character is a solid
// size x 2*size cell: the fit loop, alignment, outline and the status line.
#include <gtest/gtest.h>

#include "engine/dd_canvas.h"
#include "engine/pixel_ops.h"
#include "engine/screen.h"
#include "engine/screenshot.h"
#include "engine/text_paint.h"
#include "support/temp_program_dir.h"
#include "surface_test_util.h"

namespace {

constexpr std::uint32_t kBackground = 0x00336699;

class TextPaint : public ::testing::Test {
protected:
    void SetUp() override {
        DirectDraw = std::make_shared<TDirectDraw>(PixelFormatXRGB8888(), &fonts);
        surface = MakeSurface(100, 40, PixelFormatXRGB8888());
        FillAll(*surface, kBackground);
    }
    void TearDown() override { ResetScreenGlobals(); }
    std::uint32_t At(int x, int y) { return GetPx(*surface, x, y); }
    FakeRasterizer fonts;
    TSurfaceRef surface;
};

}  // namespace

TEST_F(TextPaint, WritesTheTextAtItsPlaceAndKeepsTheRest) {
    Printtosurface(10, 5, "ab", 0, 0, 0x0000FF, 0, "Arial", 6, fsBold, surface);
    EXPECT_EQ(At(10, 5), 0xFF0000u) << "GDI colours are 0x00BBGGRR";
    EXPECT_EQ(At(21, 16), 0xFF0000u);
    EXPECT_EQ(At(22, 16), kBackground);
    EXPECT_EQ(At(9, 5), kBackground);
    EXPECT_EQ(At(10, 17), kBackground);
    ASSERT_EQ(fonts.rendered.size(), 1u) << "no outline with border 0";
    EXPECT_EQ(fonts.rendered[0], (TFontSpec{"Arial", 6, fsBold}));
    EXPECT_FALSE(surface->HasDC());
}

TEST_F(TextPaint, ShrinksUntilTheTextFitsElseUsesSizeFive) {
    // Four characters at size s take 4s x 2s; the area is 101 x 41.
    Printtosurface(0, 0, "abcd", 0, 0, 0, 0, "Arial", 24, 0, surface);
    EXPECT_EQ(fonts.rendered.back().size, 20);
    std::vector<std::int32_t> tried;
    for (const auto& f : fonts.measured) tried.push_back(f.size);
    EXPECT_EQ(tried, (std::vector<std::int32_t>{24, 23, 22, 21, 20}));
    Printtosurface(0, 0, std::string(40, 'x'), 0, 0, 0, 0, "Arial", 24, 0, surface);
    EXPECT_EQ(fonts.rendered.back().size, 5) << "nothing fits, size 5 is used";
    // The reserves shrink the area: 101 - 30 - 40 = 31 leaves size 7 for four characters.
    Printtosurface(0, 0, 30, 40, 0, 0, "abcd", 0, 0, 0, 0, "Arial", 24, 0, surface);
    EXPECT_EQ(fonts.rendered.back().size, 7);
}

TEST_F(TextPaint, AlignmentsPlaceTheBoxAroundTheAnchor) {
    // "ab" at size 5: 10 x 10, with border 1 the box is 12 x 12.
    Printtosurface(50, 20, "ab", 1, 2, 0x0000FF, 1, "Arial", 5, 0, surface);
    EXPECT_EQ(At(38, 8), 0xFF0000u) << "right edge at x: u = 50 - 12; bottom at y: v = 20 - 12";
    EXPECT_EQ(At(47, 17), 0xFF0000u);
    EXPECT_EQ(At(48, 17), 0x0F0F0Fu) << "the outline one pixel right of the text";
    FillAll(*surface, kBackground);
    Printtosurface(50, 20, "ab", 2, 1, 0x0000FF, 0, "Arial", 5, 0, surface);
    EXPECT_EQ(At(45, 15), 0xFF0000u) << "centred: u = 50 - 10 div 2, v = 20 - 10 div 2";
    EXPECT_EQ(At(44, 15), kBackground);
    EXPECT_EQ(At(45, 14), kBackground);
    FillAll(*surface, kBackground);
    Printtosurface(50, 20, "ab", 7, 9, 0x0000FF, 0, "Arial", 5, 0, surface);
    EXPECT_EQ(At(50, 20), 0xFF0000u) << "unknown codes behave like 0";
    EXPECT_EQ(At(49, 20), kBackground);
}

TEST_F(TextPaint, OutlineContrastsWithTheTextColour) {
    const struct {
        TColor text;
        std::uint32_t outline;
    } cases[] = {{0x000000, 0xFFFFFF},
                 {0xFFFFFF, 0x0F0F0F},
                 {0x00FFFF, 0x0F0F0F},
                 {0x2A2A2A, 0xFFFFFF},
                 {0x2B2B2B, 0x0F0F0F}};
    for (const auto& c : cases) {
        FillAll(*surface, kBackground);
        fonts.rendered.clear();
        Printtosurface(20, 10, "a", 0, 0, c.text, 2, "Arial", 5, 0, surface);
        EXPECT_EQ(fonts.rendered.size(), 25u);
        EXPECT_EQ(At(18, 8), c.outline) << std::hex << c.text;
        EXPECT_EQ(At(26, 21), c.outline);
        EXPECT_EQ(At(27, 21), kBackground);
        const std::uint32_t rgb = (c.text & 0xFF) << 16 | (c.text & 0xFF00) | (c.text >> 16 & 0xFF);
        EXPECT_EQ(At(20, 10), rgb);
        EXPECT_EQ(At(24, 19), rgb);
    }
}

TEST_F(TextPaint, FailuresAreLoggedWithTheArgumentsAndRaised) {
    TempProgramDir dir;
    TSurfaceRef none;
    EXPECT_THROW(Printtosurface(0, 0, "Hallo", 0, 0, 0, 0, "Arial", 12, 0, none), std::runtime_error);
    DirectDraw = std::make_shared<TDirectDraw>(PixelFormatXRGB8888());  // no fonts
    EXPECT_THROW(Printtosurface(0, 0, 0, 100, 0, 0, "Hi", 0, 0, 0, 0, "Arial", 12, 0, surface),
                 std::runtime_error);
    EXPECT_EQ(ReadLogText(),
              "Error in Printtosurface: Cannot create canvas for NIL surface (Hallo,0,0,0,0)\r\n"
              "Error in Printtosurface: Keine Schriftausgabe vorhanden (Hi,1,41,41,101)\r\n");
    EXPECT_FALSE(surface->HasDC()) << "the drawing context is released on failure";
    EXPECT_EQ(DefaultFontName, "Arial");
}

TEST(StatusLine, DrawsNothingWithoutHeightElseACentredLineOnBlack) {
    FakeRasterizer fonts;
    MakeScreen(PixelFormatXRGB8888(), &fonts);
    FillAll(*BackImageSurface, kBackground);
    ShowStatusLine("ab");
    EXPECT_EQ(GetPx(*BackImageSurface, 0, 599), kBackground);
    EXPECT_EQ(GetPx(*FrontSurface(), 0, 599), 0u);
    StatusLineHeight = 12;
    ShowStatusLine("ab");  // 16 x 16 in Arial 8: at x 392, y 584
    EXPECT_EQ(fonts.rendered.back(), (TFontSpec{"Arial", 8, fsBold}));
    for (const TSurfaceRef& s : {BackImageSurface, FrontSurface(), SecondarySurface()}) {
        EXPECT_EQ(GetPx(*s, 392, 590), 0xFFFFFFu);
        EXPECT_EQ(GetPx(*s, 407, 599), 0xFFFFFFu);
        EXPECT_EQ(GetPx(*s, 391, 590), 0u);
        EXPECT_EQ(GetPx(*s, 408, 588), 0u);
    }
    EXPECT_EQ(GetPx(*BackImageSurface, 392, 587), 0xFFFFFFu)
        << "text above the strip stays in the back image";
    EXPECT_EQ(GetPx(*FrontSurface(), 392, 587), 0u) << "only the strip is copied";
    ResetScreenGlobals();
}
