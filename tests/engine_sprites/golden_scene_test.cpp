// Renders a small scene through the whole sprite path (definitions, sheets
// and masks from files, bodies at several depths and layers, keyed, blended,
// masked, clipped) and compares it with committed pictures.
//
// After a deliberate change of the drawing, rewrite the expected pictures with
//   build/tests/engine_sprites_tests --gtest_filter='GoldenScene*' --update-expected
// (or VANTOREL_UPDATE_EXPECTED=1 in the environment), look at them, and commit them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "engine/pictures.h"
#include "engine/pixel_ops.h"
#include "engine/rbob.h"
#include "sprite_world.h"
#include "support/definitions_builder.h"

using defs::Ani;
using defs::Block;

namespace {

bool UpdateExpected() {
    if (const char* env = std::getenv("VANTOREL_UPDATE_EXPECTED"); env && std::string(env) == "1")
        return true;
    for (const std::string& arg : ::testing::internal::GetArgvs())
        if (arg == "--update-expected") return true;
    return false;
}

std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(std::clamp(r, 0, 255) << 16 | std::clamp(g, 0, 255) << 8 |
                                      std::clamp(b, 0, 255));
}

// Four 16x16 balls in a row, one colour each, dark rim, black (keyed) outside.
std::uint32_t BallPixel(int x, int y) {
    const int frame = x / 16;
    const double d = std::hypot(x % 16 - 7.5, y - 7.5);
    if (d > 7.5) return 0;
    if (d > 6) return Rgb(40, 20, 60);
    const std::uint32_t colours[] = {Rgb(250, 80, 80), Rgb(80, 250, 120), Rgb(90, 120, 250),
                                     Rgb(250, 230, 60)};
    return colours[frame];
}

std::uint32_t GlowPixel(int x, int y) {
    return Rgb(255, 200 + (x + y) % 40, 90 + 4 * y);
}
std::uint32_t GlowMask(int x, int y) {
    const double d = std::hypot(x - 15.5, y - 15.5);
    return d >= 16 ? 0 : static_cast<std::uint32_t>(255 - d * 16);
}

// Two 40x10 bars stacked: orange with keyed stripes, green with black dots.
std::uint32_t BarPixel(int x, int y) {
    if (y < 10) return x % 8 < 2 ? 0 : Rgb(255, 140, 20 + 5 * y);
    return (x + y) % 5 == 0 ? 0 : Rgb(30, 200 - 5 * (y - 10), 90);
}

std::string SceneDefinitions() {
    return Block("Ball", "Animation", 16, 16, 4, 4, 1,
                 {Ani("standard", "1-4"), Ani("still", "3", "(000/000)")}) +
           Block("Glow", "Animation", 32, 32, 1, 1, 1, {Ani("standard", "001")}) +
           Block("Bar", "Animation", 40, 10, 2, 1, 2, {Ani("orange", "1"), Ani("green", "2")}, true) +
           Block("Field", "CreateAnimation", 60, 20, 1, 1, 1, {Ani("standard", "001")});
}

void PaintBackground(TSurface& surface) {
    TSurfaceLock lock(surface);
    ASSERT_EQ(lock.Result(), DD_OK);
    const TPixelFormat& f = lock.Format();
    for (std::uint32_t y = 0; y < lock.Height(); ++y)
        for (std::uint32_t x = 0; x < lock.Width(); ++x) {
            const std::uint32_t v = RGBToPixelFormat(f, Rgb(int(x), int(y) * 3 / 2, 128 + int(x + y) % 64));
            std::memcpy(lock.Bits() + y * lock.Pitch() + x * f.BytesPerPixel(), &v, f.BytesPerPixel());
        }
}

// Bodies of one bob each, placed as given.
struct Placed {
    std::vector<std::unique_ptr<TRBob>> bodies;
    TBob& Add(const std::string& go, int animation, float x, float y, float z) {
        TRBob& body = *bodies.emplace_back(std::make_unique<TRBob>());
        body.AddBobByName(go, animation, -1, 0, 0, 0);
        body.SetX(x);
        body.SetY(y);
        body.SetZ(z);
        return *body.Bob(1);
    }
};

// The scene on a 200 x 150 screen (projection scale 200: one unit is one
// pixel at Z = -200) with a 12-pixel status line.
TPicture RenderScene(const TPixelFormat& format) {
    SpriteWorld world(format);
    SetScreenMetrics(200, 150);
    StatusLineHeight = 12;
    ScreenSurfaces[1].reset();
    NewSurface(DirectDraw, 200, 150, DDSCAPS_SYSTEMMEMORY, ScreenSurfaces[1]);
    world.Sheet("ball.bmp", bmp::Make(64, 16, 24, BallPixel));
    world.Sheet("glow.bmp", bmp::Make(32, 32, 24, GlowPixel));
    world.Sheet("glow_mask.bmp", bmp::Make(32, 32, 8, GlowMask));
    world.Sheet("bar.bmp", bmp::Make(40, 20, 24, BarPixel));
    LoadGOs(Lines(SceneDefinitions()));
    const TSurfaceRef field = SpriteSurface(*SpriteAt(SpriteOf(GetGOIndex("field"), 0, 0)));
    Colorfill(field, 0, 0, 60, 20, 0x3050F0);
    Colorfill(field, 20, 5, 20, 10, 0);
    PaintBackground(*ScreenSurfaces[1]);

    Placed p;
    p.Add("ball", 0, -60, -40, -200);
    TBob& fast = p.Add("ball", 0, -30, -40, -100);
    for (int step = 0; step < 4; ++step) fast.Animate();  // third picture
    p.Add("ball", 1, 0, -40, -400);
    p.Add("ball", 0, -105, 0, -200);  // cut at the left edge
    TBob& top = p.Add("ball", 0, 60, -58, -200);
    top.MinY = 20;  // cut at its top limit
    p.Add("glow", 0, 20, 0, -200);
    p.Add("glow", 0, 60, 10, -400.0f / 3.0f);  // 48 px, cut at the right
    TBob& glass = p.Add("bar", 0, 10, 8, -200);
    glass.Alpha = 128;
    glass.Layer = 1;
    TBob& solid = p.Add("bar", 1, 5, 120, 0);
    solid.ScreenMode = true, solid.Project = false, solid.Centred = false, solid.ColourKey = false;
    solid.Z = -1;
    TBob& label = p.Add("field", 0, 150, 130, -1);
    label.ScreenMode = true, label.Project = false;  // cut by the status line
    TBob& near = p.Add("ball", 1, -10, 10, -200);
    near.ScreenMode = true;  // projected, unscaled
    near.Z = -50;
    p.Add("ball", 0, 0, 0, 10);  // behind the camera
    TBob& hidden = p.Add("ball", 0, 0, 0, -200);
    hidden.Visible = false;
    Bobs->paint();
    return SurfaceToPicture(*ScreenSurfaces[1]);
}

void CompareWithExpected(const TPicture& actual, const std::string& name) {
    const std::string path = std::string(SPRITES_EXPECTED_DIR) + "/" + name;
    const std::string bytes = bmp::Make(actual.Width, actual.Height, 24, [&](int x, int y) {
        return actual.Pixels[std::size_t(y) * actual.Width + x];
    });
    if (UpdateExpected()) {
        std::ofstream(path, std::ios::binary) << bytes;
        GTEST_SKIP() << "wrote " << path;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "no expected picture " << path << " (run with --update-expected)";
    const std::string stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const TPicture expected =
        ReadBitmap(std::span(reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size()));
    ASSERT_EQ(expected.Width, actual.Width);
    ASSERT_EQ(expected.Height, actual.Height);
    int differing = 0, first = -1;
    for (std::size_t i = 0; i < actual.Pixels.size(); ++i)
        if (actual.Pixels[i] != expected.Pixels[i] && differing++ == 0) first = static_cast<int>(i);
    if (differing) std::ofstream(::testing::TempDir() + "actual_" + name, std::ios::binary) << bytes;
    EXPECT_EQ(differing, 0) << "first at (" << first % actual.Width << "," << first / actual.Width
                            << "); actual picture written to " << ::testing::TempDir() << "actual_" << name;
}

}  // namespace

TEST(GoldenScene, Rgb565) {
    CompareWithExpected(RenderScene(PixelFormatRGB565()), "sprite_scene_565.bmp");
}

TEST(GoldenScene, Xrgb8888) {
    CompareWithExpected(RenderScene(PixelFormatXRGB8888()), "sprite_scene_8888.bmp");
}
