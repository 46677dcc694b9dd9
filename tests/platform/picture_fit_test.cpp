// Fitting the picture into the output, the mouse's way back, and the
// software present's whole-number scaling.
#include <gtest/gtest.h>

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
