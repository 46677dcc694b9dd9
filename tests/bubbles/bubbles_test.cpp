// Bubbles and bubble points: the bubble amount, the pools running out, the
// picture of each point value and how long a bubble point lives.
#include "hud/hud_world.h"

using namespace hudtest;

namespace {

class BubbleWorld : public HudWorld {
protected:
    void MakeBubbles(int percent) {
        Env.BubblesPercent = percent;
        world.Bubbles = std::make_unique<TBubbles>();
        for (int i = 0; i < MaxBubbles; ++i) world.Bubbles->AddBubble();
    }
    void MakePoints() {
        MakeDisplays();
        world.Bubblpoints = std::make_unique<TBubblpoints>(world);
        for (int i = 0; i < MaxBubblepoints; ++i) world.Bubblpoints->AddBubblepoint();
    }
    int VisibleBubbles() {
        int n = 0;
        for (int i = 1; i <= world.Bubbles->Count; ++i) n += world.Bubbles->Item(i)->Visible ? 1 : 0;
        return n;
    }
};

TEST_F(BubbleWorld, FullAmountShowsABubbleForEveryEmitUntilThePoolIsEmpty) {
    MakeBubbles(100);
    EXPECT_EQ(world.Bubbles->Count, 300);
    EXPECT_EQ(VisibleBubbles(), 0);
    world.Bubbles->Emit(5, 10, 20, -700);
    TBubble& first = *world.Bubbles->Item(1);
    EXPECT_TRUE(first.Visible);
    EXPECT_FLOAT_EQ(first.X, 10);
    EXPECT_FLOAT_EQ(first.Z, -700);
    for (int i = 0; i < 310; ++i) world.Bubbles->Emit(5, 0, 0, -800);
    EXPECT_EQ(VisibleBubbles(), 300);
    world.Bubbles->HideAll();
    EXPECT_EQ(VisibleBubbles(), 0);
}

TEST_F(BubbleWorld, NoAmountMeansNoBubbles) {
    MakeBubbles(0);
    EXPECT_EQ(world.Bubbles->Count, 0);
    world.Bubbles->Emit(1, 0, 0, -800);
    world.Bubbles->Move();
    EXPECT_EQ(world.Bubbles->Count, 0);
}

TEST_F(BubbleWorld, SizesStartAtTheMinimumAndBubblesRiseToTheRight) {
    MakeBubbles(100);
    std::set<std::int32_t> gos;
    for (int i = 0; i < 200; ++i) world.Bubbles->Emit(6, 0, 0, -800);
    for (int i = 1; i <= 200; ++i) gos.insert(world.Bubbles->Item(i)->Bob(1)->GO);
    EXPECT_TRUE(gos == std::set<std::int32_t>({GetGOIndex("p6"), GetGOIndex("p7"), GetGOIndex("p8")}));
    TBubble& b = *world.Bubbles->Item(1);
    const float x = b.X, y = b.Y;
    for (int i = 0; i < 40; ++i) {
        b.Steer();
        b.Move();
    }
    EXPECT_LT(b.Y, y - 20);
    EXPECT_FLOAT_EQ(b.Z, -800);
    EXPECT_NE(b.X, x);
}

TEST_F(BubbleWorld, ASpontaneousBubbleDrawsItsPlaceAlongTheBottomFirstThenItsDepth) {
    MakeBubbles(100);
    // A seed whose next draw is below the 0.0001 chance of rising.
    std::uint32_t seed = 0;
    for (RandSeed = 0; RandFloat() >= 0.0001; seed = RandSeed) {
    }
    // The draws in turn: the chance, the bubble amount, then x, then depth.
    RandSeed = seed;
    RandFloat();
    RandInt(100);
    const float x = static_cast<float>(static_cast<std::int32_t>(RandInt(800)) - 400);
    const float z = static_cast<float>(2 * RandFloat()) - 800 - 1;
    RandSeed = seed;
    TBubble& bubble = *world.Bubbles->Item(1);
    bubble.Step();
    ASSERT_TRUE(bubble.Visible);
    EXPECT_EQ(bubble.X, x);
    EXPECT_EQ(bubble.Y, 350);
    EXPECT_EQ(bubble.Z, z);
}

TEST_F(BubbleWorld, ABubbleBurstsAboveTheTop) {
    MakeBubbles(100);
    world.Bubbles->Emit(1, 0, -349, -800);
    TBubble& b = *world.Bubbles->Item(1);
    for (int i = 0; i < 10 && b.Visible; ++i) world.Bubbles->Move();
    EXPECT_FALSE(b.Visible);
}

TEST_F(BubbleWorld, ScoreShowsThePictureOfTheValue) {
    MakePoints();
    world.Bubblpoints->Score(-50, 0, 0, -800);
    EXPECT_EQ(Anzeige->ScorePoints->Points, -50);
    EXPECT_EQ(FieldDigits("LeerPoints", "Zahlen", 11), "-50");
    EXPECT_EQ(world.Bubblpoints->Item(1)->Bob(1)->FramePos, 20);
    EXPECT_FLOAT_EQ(world.Bubblpoints->Item(1)->Z, -780);  // in front of what scored
    world.Bubblpoints->Score(500, 0, 0, -800);
    EXPECT_EQ(world.Bubblpoints->Item(2)->Bob(1)->FramePos, 50);
    world.Bubblpoints->Score(10, 0, 0, -800);
    EXPECT_EQ(world.Bubblpoints->Item(3)->Bob(1)->FramePos, 25);
    world.Bubblpoints->Score(7, 0, 0, -800);
    EXPECT_EQ(world.Bubblpoints->Item(4)->Bob(1)->FramePos, 25);
    EXPECT_EQ(Anzeige->ScorePoints->Points, 467);
    EXPECT_EQ(PointsPicture(-250), 0);
    EXPECT_EQ(PointsPicture(-10), 24);
    EXPECT_EQ(PointsPicture(250), 49);
    EXPECT_EQ(PointsPicture(260), 25);
    EXPECT_EQ(PointsPicture(0), 25);
}

TEST_F(BubbleWorld, ABubblePointLivesFiftyStepsAndFadesOverTheLastFifteen) {
    MakePoints();
    world.Bubblpoints->Score(100, 0, 200, -800);
    TBubblepoint& p = *world.Bubblpoints->Item(1);
    for (int i = 0; i < 34; ++i) world.Bubblpoints->Move();
    EXPECT_EQ(p.Bob(1)->Alpha, 255);
    EXPECT_EQ(p.Bob(1)->FramePos, 34);  // the picture does not animate
    world.Bubblpoints->Move();
    EXPECT_EQ(p.Life, 15);
    EXPECT_EQ(p.Bob(1)->Alpha, 240);
    for (int i = 0; i < 14; ++i) world.Bubblpoints->Move();
    EXPECT_TRUE(p.Visible);
    EXPECT_EQ(p.Bob(1)->Alpha, 16);
    world.Bubblpoints->Move();
    EXPECT_FALSE(p.Visible);
}

TEST_F(BubbleWorld, ABubblePointNearTheTopDisappearsEarly) {
    MakePoints();
    world.Bubblpoints->Score(100, 0, -340, -800);
    TBubblepoint& p = *world.Bubblpoints->Item(1);
    p.VelocityY = -2;
    int steps = 0;
    while (p.Visible && steps < 50) {
        world.Bubblpoints->Move();
        ++steps;
    }
    EXPECT_LT(steps, 50);
    EXPECT_LT(p.Y, -350);
    EXPECT_GT(p.Life, 0);
}

TEST_F(BubbleWorld, WithEveryBubblePointInUseTheScoreStillChanges) {
    MakePoints();
    for (int i = 0; i < MaxBubblepoints; ++i) world.Bubblpoints->Score(10, 0, 0, -800);
    world.Bubblpoints->Score(-100, 0, 0, -800);
    EXPECT_EQ(Anzeige->ScorePoints->Points, 900);
    EXPECT_EQ(world.Bubblpoints->Item(1)->Bob(1)->FramePos, 25);
}

}  // namespace
