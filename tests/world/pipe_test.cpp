// The pipe driven step by step: aim, one shot per step, costs, recoil and
// the empty pipe after a defeat.
#include "world_fixture.h"

namespace {

class PipeTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        world.Spermien->StartLevel();
        world.Rohre->Show();
        screen.MouseY = 300;
    }
    int ShotsInFlight() {
        int n = 0;
        for (int i = 1; i <= world.Schuesse->Count; ++i) n += Shot(i).Visible ? 1 : 0;
        return n;
    }
};

TEST_F(PipeTest, ThreeClicksInOneStepFireInThreeSteps) {
    screen.PendingShots = 3;
    for (int step = 1; step <= 4; ++step) {
        world.Rohre->Move();
        const int fired = std::min(step, 3);
        EXPECT_EQ(ShotsInFlight(), fired) << step;
        EXPECT_EQ(Points(), -50 * fired) << step;
        EXPECT_EQ(screen.PendingShots, 3 - fired) << step;
    }
}

TEST_F(PipeTest, TheShotLeavesTheMuzzleAndThePipeRecoils) {
    screen.MouseY = 400;
    world.Rohre->Move();
    const float restX = Pipe().X;
    screen.PendingShots = 1;
    world.Rohre->Move();
    TSchuss& shot = Shot(1);
    EXPECT_FLOAT_EQ(shot.Y, 100);
    EXPECT_NEAR(shot.X, restX - 111.0f / 2 + 10, 1.0f);
    EXPECT_NEAR(Pipe().X, restX + 20, 1.0f);
    EXPECT_EQ(Pipe().Bob(1)->Animation, 1);  // empty for a moment
    for (int i = 0; i < 300; ++i) world.Rohre->Move();
    EXPECT_NEAR(Pipe().X, PipeRestX, 0.5f);
    EXPECT_EQ(Pipe().Bob(1)->Animation, 0);  // loaded again
}

TEST_F(PipeTest, TheAimFollowsTheMouseRowWithinLimits) {
    screen.MouseY = 0;
    world.Rohre->Move();
    EXPECT_FLOAT_EQ(Pipe().Y, -255);
    screen.MouseY = 599;
    world.Rohre->Move();
    EXPECT_FLOAT_EQ(Pipe().Y, 255);
    screen.MouseY = 310;
    world.Rohre->Move();
    EXPECT_FLOAT_EQ(Pipe().Y, 10);
}

TEST_F(PipeTest, TheLastTorpedoCostsMoreThanTheCondomAfterIt) {
    world.Anzeige->TorpedoMode = true;
    world.Anzeige->Torpedoes = 1;
    screen.PendingShots = 2;
    world.Rohre->Move();
    EXPECT_EQ(Points(), -100);
    EXPECT_TRUE(Shot(1).Torpedo);
    EXPECT_FALSE(world.Anzeige->TorpedoMode);
    world.Rohre->Move();
    EXPECT_EQ(Points(), -150);
    EXPECT_FALSE(Shot(2).Torpedo);
}

TEST_F(PipeTest, AfterADefeatClicksOnlyClick) {
    world.Anzeige->GameOver = true;
    world.Rohre->ShowEmpty();
    TakeSounds();
    screen.PendingShots = 2;
    world.Rohre->Move();
    world.Rohre->Move();
    EXPECT_EQ(screen.PendingShots, 0);
    EXPECT_EQ(ShotsInFlight(), 0);
    EXPECT_EQ(Points(), 0);
    const auto sounds = TakeSounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "leer"), 2);
    EXPECT_EQ(Pipe().Bob(1)->Animation, 1);
}

}  // namespace
