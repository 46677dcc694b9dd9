// One bob: projection, animation stepping with its follow-ups and repeats,
// and the frame sounds.
#include <gtest/gtest.h>

#include "engine/bob.h"
#include "engine/projection.h"
#include "sprite_world.h"
#include "support/definitions_builder.h"

using defs::Ani;
using defs::Block;

namespace {

// GO 1 "FISH": 12 pictures of 6x4; animations 0 standard 1-12 delay 2,
// 1 fast 3,5 delay 1, 2 static 1-12 delay 0. GO 2 "BIG": one 10x8 picture.
class BobTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadGOs(Lines(Block("Fish", "CreateAnimation", 6, 4, 12, 12, 1,
                            {Ani("standard", "001-012"), Ani("fast", "3,5", "(001/000)"),
                             Ani("static", "1-12", "(000/000)")}) +
                      Block("Big", "CreateAnimation", 10, 8, 1, 1, 1, {Ani("standard", "001")})));
    }
    SpriteWorld world;
};

class CountingSound : public IAniSound {
public:
    void Play() override { ++plays; }
    int plays = 0;
};

}  // namespace

TEST(Projection, RoundsHalvesToEvenAndScalesWithDepth) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.6), -3);
    EXPECT_EQ(RoundHalfEven(1e300), 16777216);
    EXPECT_EQ(ProjectSize(60, -800), 60);
    EXPECT_EQ(ProjectSize(60, -400), 120);
    EXPECT_EQ(ProjectSize(60, -1600), 30);
    EXPECT_EQ(ProjectSize(5, -1600), 2);  // 2.5 rounds to even
    EXPECT_EQ(ProjectX(100, -800), 500);
    EXPECT_EQ(ProjectY(100, -800), 400);
    EXPECT_EQ(ProjectX(-100, -400), 200);
}

TEST_F(BobTest, CreationPlacesTheBobBehindTheCamera) {
    TBob bob(1, 0, -1);
    EXPECT_EQ(bob.Width, 6);
    EXPECT_EQ(bob.Height, 4);
    EXPECT_EQ(bob.X, 400);
    EXPECT_EQ(bob.Y, 300);
    EXPECT_EQ(bob.Z, 800);
    EXPECT_EQ(bob.Next.GO, 1);
    EXPECT_EQ(bob.NextAnimation, 0);
    EXPECT_TRUE(bob.Visible && bob.Project && bob.Centred && bob.ColourKey);
    EXPECT_EQ(bob.Alpha, 255);
    EXPECT_EQ(bob.RepeatCount, -1);
}

TEST_F(BobTest, EachFrameShowsForTheDelayAndTheAnimationLoops) {
    TBob bob(1, 0, -1);
    std::vector<int> sprites;
    for (int step = 0; step < 26; ++step) {
        sprites.push_back(bob.CurrentSprite());
        bob.Animate();
    }
    for (int step = 0; step < 24; ++step) EXPECT_EQ(sprites[step], 1 + step / 2) << step;
    EXPECT_EQ(sprites[24], 1);
    EXPECT_EQ(sprites[25], 1);
    EXPECT_TRUE(bob.Visible);
}

TEST_F(BobTest, DelayZeroNeverAdvancesAndTheOwnerChoosesThePicture) {
    TBob bob(1, 2, -1);
    bob.FramePos = 7;
    for (int step = 0; step < 100; ++step) bob.Animate();
    EXPECT_EQ(bob.FramePos, 7);
    EXPECT_EQ(bob.Tick, 0);
    EXPECT_EQ(bob.CurrentSprite(), 8);
}

TEST_F(BobTest, RepeatCountPlaysThatOftenThenTheFollowUpHides) {
    TBob bob(1, 1, -1);
    bob.SetNextAnimation(1, -1);
    bob.RepeatCount = 3;
    int changes = 0;
    bob.OnAnimationChange = [&](TBob& b) {
        EXPECT_EQ(&b, &bob);
        ++changes;
    };
    for (int step = 0; step < 5; ++step) bob.Animate();
    EXPECT_TRUE(bob.Visible);
    EXPECT_EQ(bob.RepeatCount, 1);
    EXPECT_EQ(bob.NextAnimation, -1);  // the follow-up survives the restarts
    bob.Animate();
    EXPECT_FALSE(bob.Visible);
    EXPECT_EQ(bob.RepeatCount, -1);
    EXPECT_EQ(bob.Animation, 0);
    EXPECT_EQ(changes, 3);
}

TEST_F(BobTest, FollowUpSwitchesGOAndOffsetsAtTheEnd) {
    TBob bob(1, 1, -1);
    bob.SetAnimation({1, -1, 3, 4}, 1);
    EXPECT_EQ(bob.OffsetX, 3);
    bob.SetNextAnimation(2, 0);
    bob.Animate();
    EXPECT_EQ(bob.GO, 1);
    bob.Animate();
    EXPECT_EQ(bob.GO, 2);
    EXPECT_EQ(bob.Animation, 0);
    EXPECT_EQ(bob.Width, 10);
    EXPECT_EQ(bob.Height, 8);
    EXPECT_EQ(bob.OffsetX, 0);  // the follow-up record of SetNextAnimation has none
    EXPECT_EQ(bob.CurrentSprite(), 13);
    // SetNextToCurrent keeps GO and offsets for the next round.
    bob.SetAnimation({1, -1, 5, 6}, 1);
    bob.SetNextToCurrent(0);
    bob.Animate();
    bob.Animate();
    EXPECT_EQ(bob.Animation, 0);
    EXPECT_EQ(bob.OffsetX, 5);
    EXPECT_EQ(bob.OffsetY, 6);
}

TEST_F(BobTest, RestartAndHidingSetAnimation) {
    TBob bob(1, 0, -1);
    for (int step = 0; step < 5; ++step) bob.Animate();
    bob.Restart(-1);
    EXPECT_EQ(bob.FramePos, 0);
    EXPECT_EQ(bob.Animation, 0);
    bob.Restart(1);
    EXPECT_EQ(bob.Animation, 1);
    EXPECT_EQ(bob.NextAnimation, 1);
    bob.SetAnimationOf(1, -1);
    EXPECT_FALSE(bob.Visible);
    EXPECT_EQ(bob.Animation, 0);

    // Bobs of another kind are neither animated nor hidden to animation 0.
    TBob other(1, 0, 3);
    other.Animate();
    EXPECT_EQ(other.Tick, 0);
    other.SetAnimation({1, 3, 0, 0}, -1);
    EXPECT_EQ(other.Animation, -1);
}

TEST_F(BobTest, CountersAreSixteenBit) {
    TBob bob(1, 0, -1);
    // A position set far beyond the list runs on and wraps to the start.
    bob.FramePos = 65535;
    bob.Animate();
    bob.Animate();
    EXPECT_EQ(bob.FramePos, 0);
    EXPECT_EQ(bob.CurrentSprite(), 1);
}

TEST_F(BobTest, FrameSoundsPlayOnTheFirstTickOfAVisibleFrame) {
    FreeGOs();
    LoadGOs(Lines(Block("Bell", "CreateAnimation", 4, 4, 3, 3, 1,
                        {Ani("ring", "1-3", "(002/000)", "(SOUNDS 1:1,0,0)")})));
    auto sound = std::make_shared<CountingSound>();
    AttachAniSounds([&](const std::string&) { return sound; });
    TBob bob(1, 0, -1);
    bob.Animate();  // frame 0, first tick
    bob.Animate();
    EXPECT_EQ(sound->plays, 0);
    bob.Animate();  // frame 1, first tick
    bob.Animate();
    EXPECT_EQ(sound->plays, 1);
    bob.Visible = false;
    for (int step = 0; step < 6; ++step) bob.Animate();
    EXPECT_EQ(sound->plays, 1);
}
