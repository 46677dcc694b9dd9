// Drawing sprites: where a bob lands, what the failed paint logs, the keyed
// sprite copy and numbers composed from digit pictures.
#include <gtest/gtest.h>

#include "engine/dd_errors.h"
#include "engine/number_paint.h"
#include "engine/pictures.h"
#include "engine/pixel_ops.h"
#include "engine/rbob.h"
#include "engine/sprite_blit.h"
#include "sprite_world.h"
#include "support/definitions_builder.h"

using defs::Ani;
using defs::Block;

namespace {

constexpr std::uint32_t White = 0xFFFFFF;

// The bounding box of the pixels that differ from black.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

Box Painted(TSurface& surface) {
    const TPicture p = SurfaceToPicture(surface);
    Box b;
    for (int y = 0; y < p.Height; ++y)
        for (int x = 0; x < p.Width; ++x)
            if (p.Pixels[std::size_t(y) * p.Width + x] != 0) {
                b.left = std::min(b.left, x), b.right = std::max(b.right, x);
                b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
            }
    return b;
}

std::uint32_t PixelAt(TSurface& surface, int x, int y) {
    const TPicture p = SurfaceToPicture(surface);
    return p.Pixels[std::size_t(y) * p.Width + x];
}

// GO 1 "SQUARE": one 60x60 white picture.
class SpritePaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadGOs(Lines(Block("Square", "CreateAnimation", 60, 60, 1, 1, 1, {Ani("standard", "001")})));
        Colorfill(SpriteSurface(*SpriteAt(1)), 0, 0, 60, 60, White);
        body.AddBob(1, 0, -1, 0, 0, 0);
    }
    TSurface& Screen() { return *ScreenSurfaces[1]; }
    SpriteWorld world;
    TRBob body;
};

}  // namespace

TEST_F(SpritePaintTest, DepthScalesAroundTheProjectedCentre) {
    const struct {
        float z;
        int size;
    } cases[] = {{-800, 60}, {-400, 120}, {-1600, 30}};
    for (const auto& c : cases) {
        Colorfill(ScreenSurfaces[1], 0, 0, 800, 600, 0);
        body.SetX(100), body.SetY(-50), body.SetZ(c.z);
        Bobs->paint();
        const Box b = Painted(Screen());
        EXPECT_EQ(b.Width(), c.size) << c.z;
        EXPECT_EQ(b.Height(), c.size) << c.z;
        const int cx = 400 + static_cast<int>(100 * 800 / -c.z), cy = 300 - static_cast<int>(50 * 800 / -c.z);
        EXPECT_EQ(b.left, cx - c.size / 2) << c.z;
        EXPECT_EQ(b.top, cy - c.size / 2) << c.z;
    }
}

TEST_F(SpritePaintTest, NothingIsDrawnBehindTheCameraOrWhenHidden) {
    body.SetX(0), body.SetY(0);
    for (float z : {0.0f, 5.0f}) {
        body.SetZ(z);
        Bobs->paint();
    }
    body.SetZ(-800);
    body.SetVisible(false);
    Bobs->paint();
    EXPECT_EQ(Painted(Screen()).right, -1);
    // A frame position beyond the animation has no sprite: nothing is drawn.
    body.SetVisible(true);
    body.Bob(1)->FramePos = 1;
    Bobs->paint();
    EXPECT_EQ(Painted(Screen()).right, -1);
}

TEST_F(SpritePaintTest, ScreenPlacementsAndTheStatusLineLimit) {
    StatusLineHeight = 12;
    TBob& bob = *body.Bob(1);
    bob.ScreenMode = true, bob.Project = false, bob.Centred = false;
    bob.X = 10.5f, bob.Y = 560, bob.Z = -1;
    Bobs->paint();
    Box b = Painted(Screen());
    EXPECT_EQ(b.left, 10);  // centre round(40.5) = 40, left 40 - 30
    EXPECT_EQ(b.top, 560);
    EXPECT_EQ(b.bottom, 599 - 12);
    Colorfill(ScreenSurfaces[1], 0, 0, 800, 600, 0);
    bob.Centred = true;
    bob.MinY = 250;
    bob.X = 400, bob.Y = 260;
    Bobs->paint();
    b = Painted(Screen());
    EXPECT_EQ(b.left, 370);
    EXPECT_EQ(b.top, 250);
    EXPECT_EQ(b.bottom, 289);
}

TEST_F(SpritePaintTest, AFailedPaintLogsTheBlitAndTheListStep) {
    TRBob second;
    second.AddBob(1, 0, -1, 0, 0, 0);
    body.SetX(0), body.SetY(0), body.SetZ(-800);
    second.SetX(0), second.SetY(0), second.SetZ(-1600);
    Screen().SetLost(true);
    EXPECT_THROW(Bobs->paint(), EDirectXSurfaceLostError);
    const auto log = world.Log();
    ASSERT_GE(log.size(), 2u);
    // The distant bob is painted first.
    EXPECT_EQ(log[log.size() - 2], "Error in Stretchblit: Surface Lost (0,0,60,60,400,300,30,30)");
    EXPECT_EQ(log.back(), "TBobs.paint: bobarray[1]^.paint");
    EXPECT_EQ(Bobs->Entry(1), second.Bob(1));
}

TEST_F(SpritePaintTest, SpriteNumbersOutsideTheRegistryDrawNothing) {
    TSurfaceRef screen = ScreenSurfaces[1];
    Stretchblit(screen, 400, 300, 60, 60, 0, 0, 0, 799, 599, true, 255);
    Stretchblit(screen, 400, 300, 60, 60, 2, 0, 0, 799, 599, true, 255);
    PaintSprite(screen, 10, 10, 2, 0, 0, 799, 599);
    EXPECT_EQ(Painted(Screen()).right, -1);
    PaintSprite(screen, 10, 10, 1, 0, 0, 799, 599);
    EXPECT_EQ(Painted(Screen()).Width(), 60);
}

// Digits 0..9 and the minus sign as 5x4 pictures of distinct colours.
class NumberPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::string> anis;
        for (int d = 0; d <= 9; ++d) anis.push_back(Ani(std::to_string(d), std::to_string(d + 1)));
        anis.push_back(Ani("minus", "11"));
        LoadGOs(Lines(Block("Digits", "CreateAnimation", 5, 4, 11, 11, 1, anis) +
                      Block("Field", "CreateAnimation", 40, 4, 1, 1, 1, {Ani("standard", "001")}) +
                      Block("Wide", "CreateAnimation", 336, 4, 1, 1, 1, {Ani("standard", "001")}) +
                      Block("NoMinus", "CreateAnimation", 5, 4, 10, 10, 1,
                            std::vector<std::string>(anis.begin(), anis.end() - 1))));
        for (int g = 0; g < 11; ++g) Colorfill(SpriteSurface(*SpriteAt(1)), 5 * g, 0, 5, 4, Colour(g));
    }
    static std::uint32_t Colour(int glyph) { return 0x101010u * static_cast<std::uint32_t>(glyph + 2); }
    std::uint32_t FieldPixel(int x, int go = 2) {
        return PixelAt(*SpriteSurface(*SpriteAt(SpriteOf(go, 0, 0))), x, 1);
    }
    // A glyph's colour as the field shows it after a copy.
    std::uint32_t Expected(int glyph) { return PixelAt(*SpriteSurface(*SpriteAt(1)), 5 * glyph, 1); }
    SpriteWorld world;
};

TEST_F(NumberPaintTest, MinusAndPaddedDigitsLeftAligned) {
    Paintnumbertosurface(-42, 0, 2, 1, 0);
    EXPECT_EQ(FieldPixel(0), Expected(10));
    EXPECT_EQ(FieldPixel(5), Expected(4));
    EXPECT_EQ(FieldPixel(10), Expected(2));
    EXPECT_EQ(FieldPixel(15), 0u);
    Paintnumbertosurface(7, 2, 2, 1, 1);
    EXPECT_EQ(FieldPixel(29), 0u);
    EXPECT_EQ(FieldPixel(30), Expected(0));
    EXPECT_EQ(FieldPixel(35), Expected(7));
    EXPECT_EQ(FieldPixel(0), 0u);  // the old number is gone
}

TEST_F(NumberPaintTest, CentredInAWideFieldAndTooLongLeavesItEmpty) {
    FreeGOs();
    std::vector<std::string> anis;
    for (int d = 0; d <= 9; ++d) anis.push_back(Ani(std::to_string(d), std::to_string(d + 1)));
    LoadGOs(Lines(Block("Zahlen", "CreateAnimation", 56, 4, 10, 10, 1, anis) +
                  Block("LeerPoints", "CreateAnimation", 336, 4, 1, 1, 1, {Ani("standard", "001")})));
    Colorfill(SpriteSurface(*SpriteAt(1)), 0, 0, 560, 4, White);
    Paintnumbertosurface(1234, 0, 2, 1, 2);
    EXPECT_EQ(FieldPixel(55), 0u);
    EXPECT_NE(FieldPixel(56), 0u);
    EXPECT_NE(FieldPixel(279), 0u);
    EXPECT_EQ(FieldPixel(280), 0u);
    Paintnumbertosurface(1234567, 0, 2, 1, 2);
    for (int x = 0; x < 336; x += 7) ASSERT_EQ(FieldPixel(x), 0u) << x;
}

TEST_F(NumberPaintTest, AFontWithoutMinusLeavesItsPlaceEmpty) {
    Colorfill(SpriteSurface(*SpriteAt(SpriteOf(4, 0, 0))), 0, 0, 50, 4, White);
    Paintnumbertosurface(-5, 0, 2, 4, 0);
    EXPECT_EQ(FieldPixel(0), 0u);
    EXPECT_NE(FieldPixel(5), 0u);
}
