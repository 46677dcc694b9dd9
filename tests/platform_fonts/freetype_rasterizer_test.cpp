// The real rasteriser: "Arial" resolves to a metric-compatible face, sizes are
// points at 96 DPI, and the ink is monochrome.
#include <gtest/gtest.h>

#include <memory>

#include "engine/pixel_access.h"
#include "engine/screen.h"
#include "engine/text_paint.h"
#include "platform/freetype_rasterizer.h"

TEST(FreeTypeRasterizer, ArialResolvesToAMetricCompatibleFace) {
    int index = -1;
    const std::string file = TFreeTypeRasterizer::FindFontFile("Arial", fsBold, index);
    EXPECT_NE(file.find("LiberationSans-Bold"), std::string::npos) << file;
}

TEST(FreeTypeRasterizer, MeasuresLikeArialAtNinetySixDpi) {
    TFreeTypeRasterizer fonts;
    // Arial Bold advances of "Loading..." come to 9670 font units; at 24 points
    // (32 pixels) that is 151 pixels, a few more with advances rounded to pixels.
    const TTextExtent e = fonts.TextExtent(TFontSpec{"Arial", 24, fsBold}, "Loading...");
    EXPECT_GE(e.cx, 150);
    EXPECT_LE(e.cx, 156);
    // Windows ascent plus descent of Arial: (1854 + 434) / 2048 em = 35.75 pixels.
    EXPECT_GE(e.cy, 35);
    EXPECT_LE(e.cy, 37);
    const TTextExtent plain = fonts.TextExtent(TFontSpec{"Arial", 24, 0}, "Loading...");
    EXPECT_LT(plain.cx, e.cx) << "bold is wider";
    EXPECT_EQ(fonts.TextExtent(TFontSpec{"Arial", 12, fsBold}, "").cx, 0);
}

TEST(FreeTypeRasterizer, DrawsMonochromeInkInsideItsCell) {
    TFreeTypeRasterizer fonts;
    DirectDraw = std::make_shared<TDirectDraw>(PixelFormatRGB565(), &fonts);
    auto surface = std::make_shared<TSurface>(200, 60, PixelFormatRGB565(), DDSCAPS_SYSTEMMEMORY);
    Printtosurface(10, 10, "Hallo 42", 0, 0, 0x0000FF, 0, "Arial", 16, fsBold, surface);
    DirectDraw.reset();
    const TTextExtent e = fonts.TextExtent(TFontSpec{"Arial", 16, fsBold}, "Hallo 42");
    int ink = 0, other = 0, left = 1000, right = -1;
    for (std::uint32_t y = 0; y < 60; ++y)
        for (std::uint32_t x = 0; x < 200; ++x) {
            const std::uint32_t v = ReadPixel(surface->Pixels() + y * surface->Pitch() + 2 * x, 2);
            if (v == 0xF800) {
                ++ink;
                left = std::min<int>(left, x);
                right = std::max<int>(right, x);
                EXPECT_GE(static_cast<int>(y), 10);
                EXPECT_LT(static_cast<int>(y), 10 + e.cy);
            } else if (v != 0) {
                ++other;
            }
        }
    EXPECT_GT(ink, 100);
    EXPECT_EQ(other, 0) << "no antialiased fringe";
    EXPECT_LE(left, 12);
    EXPECT_GE(right, 10 + e.cx - 8);
    EXPECT_LE(right, 10 + e.cx);
}
