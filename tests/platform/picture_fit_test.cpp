// Fitting the picture into the output, the mouse's way back, and the
// software present's whole-number scaling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/picture_fit.h"
#include "platform/picture_scaler.h"

namespace {

struct FitCase {
    std::int32_t outW, outH;
    bool smooth;
    TPictureFit expected;
};

}  // namespace

TEST(PictureFit, LargestSharpWholeScaleFromTwiceTheSizeElseTheLargestFraction) {
    const FitCase cases[] = {
        {800, 600, false, {0, 0, 800, 600, 1, false}},
        {1024, 768, false, {0, 0, 1024, 768, 0, true}},
        {1920, 1080, false, {240, 0, 1440, 1080, 0, true}},
        {1600, 1200, false, {0, 0, 1600, 1200, 2, false}},
        {3840, 2160, false, {720, 180, 2400, 1800, 3, false}},
        {3840, 2160, true, {480, 0, 2880, 2160, 0, true}},
        {1600, 1200, true, {0, 0, 1600, 1200, 2, false}},  // filling it is whole anyway
        {1000, 600, false, {100, 0, 800, 600, 1, false}},
        {640, 400, false, {53, 0, 533, 400, 0, true}},
        {0, 600, false, {0, 0, 0, 0, 0, false}},
    };
    for (const FitCase& c : cases) {
        const TPictureFit f = FitPicture(800, 600, c.outW, c.outH, c.smooth);
        SCOPED_TRACE(std::to_string(c.outW) + "x" + std::to_string(c.outH) + (c.smooth ? " smooth" : ""));
        EXPECT_EQ(f.X, c.expected.X);
        EXPECT_EQ(f.Y, c.expected.Y);
        EXPECT_EQ(f.Width, c.expected.Width);
        EXPECT_EQ(f.Height, c.expected.Height);
        EXPECT_EQ(f.Factor, c.expected.Factor);
        EXPECT_EQ(f.Smooth, c.expected.Smooth);
    }
}

TEST(PictureFit, EveryOutputPixelMapsBackToThePicturePixelDrawnThere) {
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1024, 768}, {1920, 1080}, {3840, 2160}}) {
        const TPictureFit f = FitPicture(800, 600, w, h, false);
        std::int32_t px = 0, py = 0;
        // The corners of the picture.
        OutputToPicture(f, 800, 600, f.X, f.Y, px, py);
        EXPECT_EQ(px, 0);
        EXPECT_EQ(py, 0);
        OutputToPicture(f, 800, 600, f.X + f.Width - 1, f.Y + f.Height - 1, px, py);
        EXPECT_EQ(px, 799);
        EXPECT_EQ(py, 599);
        // The middle of picture pixel (300, 250) as it lands in the output.
        OutputToPicture(f, 800, 600, f.X + 601 * f.Width / 1600, f.Y + 501 * f.Height / 1200, px, py);
        EXPECT_EQ(px, 300);
        EXPECT_EQ(py, 250);
        // On the bars the position lies beyond the picture's edge.
        OutputToPicture(f, 800, 600, f.X - 1, f.Y - 1, px, py);
        EXPECT_EQ(px, -1);
        EXPECT_EQ(py, -1);
    }
}

TEST(PictureScaler, EachPixelBecomesASharpBlockAndRgb565IsWidened) {
    TSurface frame(2, 2, PixelFormatRGB565(), DDSCAPS_SYSTEMMEMORY);
    const std::uint16_t colours[4] = {0xF800, 0x07E0, 0x001F, 0xFFFF};
    for (int i = 0; i < 4; ++i)
        reinterpret_cast<std::uint16_t*>(frame.Pixels() + (i / 2) * frame.Pitch())[i % 2] = colours[i];
    // A wider output row: what lies beside the blocks stays as it was.
    constexpr int pitchPixels = 8;
    std::vector<std::uint32_t> out(pitchPixels * 6, 0xABCDEF);
    ScaleWholeToXrgb(frame, 3, reinterpret_cast<std::uint8_t*>(out.data()), pitchPixels * 4);
    const std::uint32_t wide[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < pitchPixels; ++x)
            EXPECT_EQ(out[y * pitchPixels + x], x < 6 ? wide[(y / 3) * 2 + x / 3] : 0xABCDEFu)
                << x << "," << y;

    TSurface frame32(2, 1, PixelFormatXRGB8888(), DDSCAPS_SYSTEMMEMORY);
    reinterpret_cast<std::uint32_t*>(frame32.Pixels())[0] = 0x123456;
    reinterpret_cast<std::uint32_t*>(frame32.Pixels())[1] = 0x654321;
    std::vector<std::uint32_t> out32(2, 0);
    ScaleWholeToXrgb(frame32, 1, reinterpret_cast<std::uint8_t*>(out32.data()), 8);
    EXPECT_EQ(out32, (std::vector<std::uint32_t>{0x123456, 0x654321}));
}

TEST(PictureScaler, FractionsAreFilteredBetweenTheNearestPixels) {
    // Black on the left half, white on the right, in both formats.
    for (const TPixelFormat& format : {PixelFormatRGB565(), PixelFormatXRGB8888()}) {
        TSurface frame(40, 6, format, DDSCAPS_SYSTEMMEMORY);
        const std::uint32_t bpp = format.BytesPerPixel();
        for (std::uint32_t y = 0; y < 6; ++y)
            for (std::uint32_t x = 20; x < 40; ++x)
                std::memset(frame.Pixels() + y * frame.Pitch() + x * bpp, 0xFF, bpp);
        TLinearScaler scaler;
        for (const auto& [w, h] : {std::pair{51, 9}, std::pair{40, 6}, std::pair{29, 4}}) {
            SCOPED_TRACE(std::to_string(format.dwRGBBitCount) + " bits to " + std::to_string(w) + "x" +
                         std::to_string(h));
            const int pitchPixels = w + 3;
            std::vector<std::uint32_t> out(std::size_t(pitchPixels) * h, 0xABCDEF);
            scaler.Scale(frame, w, h, reinterpret_cast<std::uint8_t*>(out.data()), pitchPixels * 4);
            for (int y = 0; y < h; ++y) {
                const std::uint32_t* row = &out[std::size_t(y) * pitchPixels];
                EXPECT_EQ(row[0], 0u);
                EXPECT_EQ(row[w - 1], 0xFFFFFFu) << "a flat area stays exactly its colour";
                for (int x = 1; x < w; ++x) {
                    EXPECT_EQ(row[x] & 0xFF, row[x] >> 16) << "grey stays grey";
                    EXPECT_GE(row[x], row[x - 1]) << x << "," << y << ": brightness rises left to right";
                }
                // The edge stays sharp: grey only between the two pixels
                // beside it, and none at the frame's own size.
                const int greys = static_cast<int>(
                    std::count_if(row, row + w, [](std::uint32_t v) { return v != 0 && v != 0xFFFFFF; }));
                EXPECT_LE(greys, w == 40 ? 0 : 2) << y;
                if (w == 40) {
                    EXPECT_EQ(row[20], 0xFFFFFFu) << "at its own size the frame is copied";
                }
                EXPECT_EQ(row[w], 0xABCDEFu) << "beside the picture nothing changes";
            }
        }
    }
}
