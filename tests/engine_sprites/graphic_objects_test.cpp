// Loading graphic objects from definitions and sheets: numbering, frames,
// masks, sounds, the consistency checks and the capacities.
#include <gtest/gtest.h>

#include "engine/graphic_objects.h"
#include "infra/errors.h"
#include "infra/paths.h"
#include "sprite_world.h"
#include "support/definitions_builder.h"

using defs::Ani;
using defs::Block;

namespace {

std::string Grey24(int w, int h) {
    return bmp::Make(w, h, 24,
                     [](int x, int y) { return static_cast<std::uint32_t>(0x102030 + x + 256 * y); });
}
std::string Mask8(int w, int h) {
    return bmp::Make(w, h, 8, [](int x, int y) { return (x * 16 + y) & 0xFF; });
}

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(no exception)";
}

void ExpectRect(const TSprite* s, int x, int y, int w, int h) {
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->X, x);
    EXPECT_EQ(s->Y, y);
    EXPECT_EQ(s->W, w);
    EXPECT_EQ(s->H, h);
}

class RecordingSound : public IAniSound {
public:
    void Play() override { ++plays; }
    int plays = 0;
};

}  // namespace

TEST(GraphicObjects, NumbersSheetsSpritesAndGOsInDefinitionOrder) {
    SpriteWorld world;
    world.Sheet("Torpedo.bmp", Grey24(40, 10));
    world.Sheet("Grid.bmp", Grey24(20, 20));
    const std::string text =
        Block("Torpedo", "Animation", 999, 999, 4, 4, 1,
              {Ani("standard", "001-004"), Ani("schnell", "1,3", "(001/000)")}) +
        Block("grid", "Animation", 10, 10, 4, 2, 2, {Ani("standard", "4-1")}, true) +
        Block("HSLeerfeld1", "CreateAnimation", 35, 5, 1, 1, 1, {Ani("standard", "001")});
    LoadGOs(Lines(text));

    ASSERT_EQ(GORegistry().GOs.size(), 3u);
    EXPECT_EQ(GetGOIndex("torpedo"), 1);
    EXPECT_EQ(GetGOIndex("GRID"), 2);
    EXPECT_EQ(GetGOIndex("hsleerfeld1"), 3);
    // Animation sheets take the frame size from the picture, not from the text.
    ExpectRect(SpriteAt(1), 0, 0, 10, 10);
    ExpectRect(SpriteAt(4), 30, 0, 10, 10);
    // Vertical arrangement runs down the columns first.
    ExpectRect(SpriteAt(6), 0, 10, 10, 10);
    ExpectRect(SpriteAt(7), 10, 0, 10, 10);
    ExpectRect(SpriteAt(9), 0, 0, 35, 5);
    EXPECT_EQ(SpriteAt(10), nullptr);

    EXPECT_EQ(SpriteOf(1, 0, 3), 4);
    EXPECT_EQ(SpriteOf(1, 1, 1), 3);
    EXPECT_EQ(SpriteOf(2, 0, 0), 8);
    EXPECT_EQ(SpriteOf(3, 0, 0), 9);
    const auto fast = AnimationHeader(1, 1);
    ASSERT_TRUE(fast);
    EXPECT_EQ(fast->Frames, 2);
    EXPECT_EQ(fast->Delay, 1);

    const auto& surfaces = GORegistry().Surfaces;
    ASSERT_EQ(surfaces.size(), 3u);
    EXPECT_EQ(surfaces[0].FileName, GetProgramDir() + "/gfx/sb/TORPEDO.bmp");
    EXPECT_TRUE(surfaces[0].Surface->HasSourceColorKey());
    EXPECT_EQ(surfaces[2].FileName, "");
    EXPECT_EQ(surfaces[2].Surface->Width(), 35u);
    EXPECT_TRUE(surfaces[2].Surface->HasSourceColorKey());

    FreeGOs();
    EXPECT_TRUE(GORegistry().GOs.empty());
    EXPECT_TRUE(GORegistry().Sprites.empty());
    EXPECT_TRUE(GORegistry().Surfaces.empty());
    EXPECT_EQ(SpriteOf(1, 0, 0), 0);
}

TEST(GraphicObjects, AnimationNumbersArePositionsInTheAniBlock) {
    SpriteWorld world;
    std::vector<std::string> anis;
    for (int d = 0; d <= 9; ++d) anis.push_back(Ani(std::to_string(d), std::to_string(d + 1)));
    anis.push_back(Ani("kondom", "011"));
    LoadGOs(Lines(Block("Zahlen", "CreateAnimation", 5, 6, 11, 11, 1, anis)));
    EXPECT_EQ(SpriteOf(1, 10, 0), 11);
    EXPECT_EQ(SpriteOf(1, 3, 0), 4);
}

TEST(GraphicObjects, FrameLookupNeverLeavesTheFrameTable) {
    SpriteWorld world;
    LoadGOs(Lines(Block("A", "CreateAnimation", 4, 4, 3, 3, 1, {Ani("one", "1-3"), Ani("two", "2")}) +
                  Block("EMPTY", "CreateAnimation", 4, 4, 0, 1, 1, {Ani("none", "1")})));
    EXPECT_EQ(SpriteOf(1, 0, 2), 3);
    EXPECT_EQ(SpriteOf(1, 0, 3), 0);  // beyond the animation's frames
    EXPECT_EQ(SpriteOf(1, 0, -1), 0);
    EXPECT_EQ(SpriteOf(1, 2, 0), 0);  // beyond the animations
    EXPECT_EQ(SpriteOf(1, -1, 0), 0);
    EXPECT_EQ(SpriteOf(0, 0, 0), 0);
    EXPECT_EQ(SpriteOf(3, 0, 0), 0);  // beyond the GOs
    EXPECT_EQ(SpriteOf(2, 0, 0), 0);  // a GO without pictures shows nothing
    EXPECT_FALSE(AnimationHeader(1, 2));
}

TEST(GraphicObjects, PictureAndMovielistKinds) {
    SpriteWorld world;
    world.Sheet("icons.bmp", Grey24(30, 20));
    const std::vector<std::string> lines = Lines(
        "OBJECT ICONS:Picture\n3\n3\n2  Bilder\n1\n1\n"
        "    0001 0002 0010 0011\n    0012    5   18   15\n"
        "OBJECT FILM:Movielist\nkeine Zahlen\n");
    EXPECT_EQ(LoadGO(lines, "ICONS"), 1);
    ExpectRect(SpriteAt(1), 1, 2, 10, 11);
    ExpectRect(SpriteAt(2), 12, 5, 18, 15);
    EXPECT_TRUE(GORegistry().GOs.empty());
    EXPECT_EQ(LoadGO(lines, "FILM"), -1);
    EXPECT_EQ(GORegistry().Surfaces.size(), 1u);
}

TEST(GraphicObjects, AnEarlierBlockWhoseNameExtendsAnotherIsTakenForIt) {
    SpriteWorld world;
    LoadGOs(Lines(Block("HSLeerfeld10", "CreateAnimation", 30, 5, 1, 1, 1, {Ani("standard", "001")}) +
                  Block("HSLeerfeld1", "CreateAnimation", 20, 5, 1, 1, 1, {Ani("standard", "001")})));
    // Both names find the first block, as the definitions' order demands.
    ExpectRect(SpriteAt(1), 0, 0, 30, 5);
    ExpectRect(SpriteAt(2), 0, 0, 30, 5);
    EXPECT_EQ(GetGOIndex("HSLEERFELD1"), 2);
}

TEST(GraphicObjects, InconsistentGridsAreRejectedWithTheirMessages) {
    SpriteWorld world;
    world.Sheet("Torpedo.bmp", Grey24(162, 40));
    auto load = [](const std::string& text) { return [text] { LoadGOs(Lines(text)); }; };
    EXPECT_EQ(ErrorOf(load(Block("Torpedo", "Animation", 162, 40, 5, 5, 1, {Ani("s", "1")}))),
              "LoadGO: Ma\xDF"
              "e von TORPEDO nicht stimmig: Gesamtbreite(162),Animationsbreite(32),"
              "hor. Animationsanzahl(5)");
    EXPECT_EQ(ErrorOf(load(Block("Torpedo", "Animation", 162, 40, 3, 1, 3, {Ani("s", "1")}))),
              "LoadGO: Ma\xDF"
              "e von TORPEDO nicht stimmig: Gesamthoehe(40),Animationshoehe(13),"
              "ver. Animationsanzahl(3)");
    EXPECT_EQ(ErrorOf(load(Block("Torpedo", "Animation", 162, 40, 1, 0, 1, {Ani("s", "1")}))),
              "LoadGO: Ma\xDF"
              "e von TORPEDO nicht stimmig: Gesamtbreite(162),Animationsbreite(0),"
              "hor. Animationsanzahl(0)");
    EXPECT_EQ(ErrorOf(load(Block("Blank", "CreateAnimation", 10, 10, 1, 1, 0, {Ani("s", "1")}))),
              "LoadGO: Ma\xDF"
              "e von BLANK nicht stimmig: Gesamthoehe(0),Animationshoehe(0),"
              "ver. Animationsanzahl(0)");
}

TEST(GraphicObjects, MalformedAnimationBlocksRaiseTheLoadersMessages) {
    SpriteWorld world;
    auto load = [](const std::string& text) { return [text] { LoadGOs(Lines(text)); }; };
    std::string noEnd = Block("Open", "CreateAnimation", 4, 4, 1, 1, 1, {Ani("s", "1")});
    noEnd.erase(noEnd.find("ANIEND"));
    EXPECT_EQ(ErrorOf(load(noEnd)), "Exception raised in LoadAnimations: ANIEND of OPEN not found");
    // "Aniend" is not the end: the first six characters must be exactly ANIEND.
    std::string lower = Block("Low", "CreateAnimation", 4, 4, 1, 1, 1, {Ani("s", "1")});
    lower.replace(lower.find("ANIEND"), 6, "Aniend");
    EXPECT_EQ(ErrorOf(load(lower)), "'Ani' ist kein g\xFCltiger Integerwert");

    EXPECT_EQ(ErrorOf(load(Block("Slow", "CreateAnimation", 4, 4, 1, 1, 1, {Ani("s", "1", "(zwo/000)")}))),
              "'zwo' ist kein g\xFCltiger Integerwert");
    std::string badCount = Block("Count", "CreateAnimation", 4, 4, 1, 1, 1, {Ani("s", "1")});
    badCount.replace(badCount.find("1   Image"), 3, "eins");
    EXPECT_EQ(ErrorOf(load(badCount)), "'ein' ist kein g\xFCltiger Integerwert");

    std::vector<std::string> many(102, Ani("s", "1"));
    EXPECT_EQ(ErrorOf(load(Block("Many", "CreateAnimation", 4, 4, 1, 1, 1, many))),
              "Exception raised in LoadAnimations: Too many animations in MANY");
    std::vector<std::string> long_(4, Ani("s", "1-250,250-1"));
    EXPECT_EQ(ErrorOf(load(Block("Long", "CreateAnimation", 4, 4, 250, 1, 1, long_))),
              "Exception raised in LoadAnimations: Too many frames in LONG");
    EXPECT_EQ(ErrorOf(load("OBJECT Cut:CreateAnimation\n4\n4\n")), "List index out of bounds (3)");
    std::string keys = "(SOUNDS 1:";
    for (int k = 0; k < 101; ++k) keys += "1,0,0,";
    EXPECT_EQ(ErrorOf(load(Block("Noisy", "CreateAnimation", 4, 4, 1, 1, 1,
                                 {Ani("s", "1", "(002/000)", keys + ")")}))),
              "Exception raised in LoadAnimations: Too many sound keys in NOISY");
}

TEST(GraphicObjects, MissingSheetFailsAfterTheLogLine) {
    SpriteWorld world;
    const std::string file = GetProgramDir() + "/gfx/sb/GHOST.bmp";
    EXPECT_EQ(ErrorOf([] { LoadGOs(Lines(Block("Ghost", "Animation", 4, 4, 1, 1, 1, {Ani("s", "1")}))); }),
              "Exception raised in creatememsurface: " + file + " not loaded");
    const auto log = world.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), GetProgramDir() + "/gfx/sb/GHOST not found!");
    ASSERT_EQ(GORegistry().Surfaces.size(), 1u);
    EXPECT_EQ(GORegistry().Surfaces[0].Surface, nullptr);
}

TEST(GraphicObjects, AlphaMasksAreUsedOnlyWhenTheyFitTheirSheet) {
    SpriteWorld world;
    world.Sheet("fits.bmp", Grey24(6, 3));
    world.Sheet("fits_mask.bmp", Mask8(6, 3));
    world.Sheet("wide.bmp", Grey24(6, 3));
    world.Sheet("wide_mask.bmp", Mask8(7, 3));
    LoadGOs(Lines(Block("fits", "Animation", 3, 3, 2, 2, 1, {Ani("s", "1-2")}) +
                  Block("wide", "Animation", 3, 3, 2, 2, 1, {Ani("s", "1-2")})));
    const TAlphaMaskRef& mask = GORegistry().Surfaces[0].Mask;
    ASSERT_TRUE(mask);
    // Rows top-down with a stride of 8, the raw palette indices.
    ASSERT_EQ(mask->size(), 24u);
    EXPECT_EQ((*mask)[0], 0);
    EXPECT_EQ((*mask)[5], 80);
    EXPECT_EQ((*mask)[8 + 1], 17);
    EXPECT_EQ((*mask)[16 + 5], 82);
    EXPECT_EQ(SpriteAt(2)->Mask, mask);
    EXPECT_EQ(GORegistry().Surfaces[1].Mask, nullptr);
    EXPECT_EQ(SpriteAt(3)->Mask, nullptr);
    const auto log = world.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "LoadGO: Maske " + GetProgramDir() +
                              "/gfx/sb/WIDE_mask.bmp nicht verwendet: Ma\xDF"
                              "e(7x3) statt (6x3)");
}

TEST(GraphicObjects, MaskFilesMustHoldEightBitsAndCountOnlyWithMasksOn) {
    SpriteWorld world;
    world.Sheet("deep.bmp", Grey24(4, 4));
    world.Sheet("deep_mask.bmp", Grey24(4, 4));
    const std::string text = Block("deep", "Animation", 4, 4, 1, 1, 1, {Ani("s", "1")});
    EXPECT_EQ(ErrorOf([&] { LoadGOs(Lines(text)); }), "Bitmap isn't 8bpp");
    FreeGOs();
    AlphaMasks = false;
    LoadGOs(Lines(text));
    EXPECT_EQ(GORegistry().Surfaces[0].Mask, nullptr);
}

TEST(GraphicObjects, SoundClausesNameWaveFilesAndPlayOnTheirFrame) {
    SpriteWorld world;
    LoadGOs(Lines(Block(
        "Sperm1", "CreateAnimation", 4, 4, 3, 3, 1,
        {Ani("standard", "1-3"), Ani("zappel", "1-3", "(002/000)", "(SOUNDS 1:2,0,100 3:0,9,7;1,0,0)")})));
    const TGraphicObject& go = *GOAt(1);
    EXPECT_FALSE(go.Sounds[0]);
    ASSERT_TRUE(go.Sounds[1]);
    const auto& slots = go.Sounds[1]->Slots;
    EXPECT_EQ(slots[0].FileName, GetProgramDir() + "/gfx/sb/SPERM1_zappel_1.wav");
    EXPECT_EQ(slots[1].FileName, "");
    ASSERT_EQ(slots[2].Keys.size(), 2u);
    EXPECT_EQ(slots[2].Keys[0].Value, 9);
    EXPECT_EQ(slots[2].Keys[0].Param, 7);
    EXPECT_EQ(slots[2].Keys[1].Position, 1);

    // Nothing is connected yet: playing is silent and harmless.
    PlayAniSounds(1, 1, 2);
    auto first = std::make_shared<RecordingSound>();
    AttachAniSounds([&](const std::string& file) -> std::shared_ptr<IAniSound> {
        if (file.ends_with("_zappel_1.wav")) return first;
        return nullptr;  // slot 3 has no sound of its name
    });
    PlayAniSounds(1, 1, 0);
    PlayAniSounds(1, 1, 1);
    EXPECT_EQ(first->plays, 0);
    PlayAniSounds(1, 1, 2);
    PlayAniSounds(1, 0, 2);
    PlayAniSounds(7, 1, 2);
    EXPECT_EQ(first->plays, 1);
}

TEST(GraphicObjects, LookupOfAnUnknownNameNamesItInUpperCase) {
    SpriteWorld world;
    EXPECT_EQ(ErrorOf([] { GetGOIndex("sperm2"); }), "Animation not found: SPERM2");
}

TEST(GraphicObjects, SpriteAndSurfaceCapacities) {
    SpriteWorld world;
    std::string text;
    for (int i = 1; i <= 3; ++i)
        text += Block("Many" + std::to_string(i), "CreateAnimation", 1, 1, 999, 1, 1, {Ani("s", "1")});
    EXPECT_EQ(ErrorOf([&] { LoadGOs(Lines(text)); }), "Exception raised in LoadGO: Too many sprites");
    EXPECT_EQ(GORegistry().Sprites.size(), 2500u);
    FreeGOs();

    for (int i = 1; i <= 999; ++i) {
        std::int32_t w = 1, h = 1;
        TSurfaceRef s;
        creatememsurface("", w, h, false, DDSCAPS_SYSTEMMEMORY, s);
    }
    std::int32_t w = 1, h = 1;
    TSurfaceRef s;
    EXPECT_EQ(ErrorOf([&] { creatememsurface("", w, h, false, DDSCAPS_SYSTEMMEMORY, s); }),
              "Exception raised in creatememsurface: Too many surfaces");
    EXPECT_EQ(ErrorOf([&] { creatememsurface("", w, h, false, DDSCAPS_SYSTEMMEMORY, s); }),
              "Exception raised in creatememsurface: Too many surfaces");
}

TEST(GraphicObjects, GraphicObjectCapacity) {
    SpriteWorld world;
    std::string text;
    for (int i = 1; i <= 401; ++i)
        text += Block("G" + std::to_string(i) + "X", "CreateAnimation", 1, 1, 1, 1, 1, {Ani("s", "1")});
    EXPECT_EQ(ErrorOf([&] { LoadGOs(Lines(text)); }),
              "Exception raised in LoadAnimations: Too many graphic objects");
    EXPECT_EQ(GORegistry().GOs.size(), 400u);
}
