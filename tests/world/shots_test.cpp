// Shots driven step by step: where a condom lands and rides, the torpedo's
// reach, the far-hit bonus, the statistics and the sounds.
#include "world_fixture.h"

namespace {

class ShotsTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        world.Spermien->StartLevel();
        world.Rohre->Show();
    }
    // One game step of the swarm and the shots, in the game's order.
    void Step() {
        world.Spermien->Move();
        world.Schuesse->Move();
    }
};

TEST_F(ShotsTest, ACondomLandsOnTheNoseAndRidesAlong) {
    TSperm& enemy = Place(1, 1, 300, 0, 0.3f);
    world.Schuesse->Fire(374.5f, 0, -800);
    TSchuss& shot = Shot(1);
    ASSERT_TRUE(shot.Visible);
    // The first step takes the shot to about 366: the nose at 300 is within
    // the 100 units ahead of it.
    world.Schuesse->Move();
    ASSERT_TRUE(enemy.Caught);
    EXPECT_FLOAT_EQ(shot.X, 180.0f);
    EXPECT_FLOAT_EQ(shot.Y, 0.0f);
    EXPECT_FLOAT_EQ(shot.Z, -799.0f);
    EXPECT_FALSE(shot.Bob(1)->Visible);
    EXPECT_TRUE(shot.Bob(2)->Visible);
    EXPECT_EQ(Points(), 100);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::NearHits, 1)], 1);
    EXPECT_EQ(world.Spermien->Stats[StatCondomsFired], 1);
    EXPECT_TRUE(Has(TakeSounds(), "abroll"));

    // From now on it moves right with the enemy.
    const float offset = shot.X - enemy.X;
    for (int i = 0; i < 10; ++i) Step();
    EXPECT_GT(shot.X, 200.0f);
    EXPECT_NEAR(shot.X - enemy.X, offset, 0.01f);

    // A caught enemy is not hit again and does not count as passing.
    world.Schuesse->Fire(374.5f, 0, -800);
    for (int i = 0; i < 60; ++i) Step();
    EXPECT_EQ(Points(), 100);
    EXPECT_GT(enemy.NoseX(), 400.0f);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Passed, 1)], 0);
}

TEST_F(ShotsTest, TheCaughtEnemysPictureGoesOnlyWhenTransparencyIsOff) {
    for (bool transparency : {true, false}) {
        Start(IdleScript);
        world.Spermien->StartLevel();
        Transparency = transparency;
        TSperm& enemy = Place(1, 2, 300, 0);
        world.Schuesse->Fire(374.5f, 0, -800);
        for (int i = 0; i < 20 && !enemy.Caught; ++i) world.Schuesse->Move();
        ASSERT_TRUE(enemy.Caught);
        EXPECT_TRUE(enemy.Bob(1)->Visible);
        for (int i = 0; i < 100 && Shot(1).Bob(2)->GO != GetGOIndex("kondom"); ++i) world.Schuesse->Move();
        ASSERT_EQ(Shot(1).Bob(2)->GO, GetGOIndex("kondom"));
        world.Schuesse->Move();
        EXPECT_EQ(enemy.Bob(1)->Visible, transparency) << transparency;
    }
}

TEST_F(ShotsTest, ATorpedoReachesFourHalfHeightsAndDissolvesWhatItMeets) {
    world.Anzeige->TorpedoMode = true;
    world.Anzeige->Torpedoes = 10;
    TSperm& near = Place(1, 4, 0, 75);
    TSperm& far = Place(2, 5, -100, -85);
    TSperm& behind = Place(3, 1, -300, 70);
    world.Schuesse->Fire(300, 0, -800);
    TSchuss& torpedo = Shot(1);
    EXPECT_TRUE(torpedo.Torpedo);
    EXPECT_FLOAT_EQ(torpedo.HalfHeight, torpedo.Bob(1)->Height * 2);
    EXPECT_FLOAT_EQ(torpedo.HalfHeight, 80.0f);  // the torpedo sprite is 40 high
    EXPECT_EQ(world.Anzeige->Torpedoes, 9);
    EXPECT_EQ(world.Spermien->Stats[StatTorpedoesFired], 1);
    EXPECT_TRUE(Has(TakeSounds(), "torpedo"));
    for (int i = 0; i < 40; ++i) world.Schuesse->Move();
    EXPECT_FALSE(near.Visible);
    EXPECT_TRUE(near.Caught);
    EXPECT_TRUE(far.Visible);
    EXPECT_FALSE(behind.Visible);         // it flew on after the first hit
    EXPECT_EQ(Points(), 120 + 100 + 50);  // the second hit was left of -200
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::NearHits, 4)], 1);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::FarHits, 1)], 1);
    EXPECT_TRUE(Has(TakeSounds(), "bubbleize"));
}

TEST_F(ShotsTest, AFarHitScoresASeparateBonusBubble) {
    // After its first step the shot is near -249, the nose 50 ahead of it.
    Place(1, 6, -300, 0);
    world.Schuesse->Fire(-240, 0, -800);
    world.Schuesse->Move();
    EXPECT_EQ(Points(), 250 + 50);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::FarHits, 6)], 1);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::NearHits, 6)], 0);
    int bonus = 0;
    for (int i = 1; i <= world.Bubblpoints->Count; ++i)
        if (world.Bubblpoints->Item(i)->Visible && world.Bubblpoints->Item(i)->Bob(1)->FramePos == 29)
            ++bonus;
    EXPECT_EQ(bonus, 1);  // the picture of +50
    EXPECT_TRUE(Has(TakeSounds(), "virus3"));
}

TEST_F(ShotsTest, ShotsLeaveBeyondTheEdgeAndAFullPoolFiresNothing) {
    for (int i = 0; i < MaxShots; ++i) world.Schuesse->Fire(374.5f, -280, -800);
    for (int i = 1; i <= MaxShots; ++i) ASSERT_TRUE(Shot(i).Visible);
    world.Schuesse->Fire(374.5f, 0, -800);
    EXPECT_EQ(world.Spermien->Stats[StatCondomsFired], MaxShots);
    for (int i = 0; i < 200; ++i) world.Schuesse->Move();
    for (int i = 1; i <= MaxShots; ++i) EXPECT_FALSE(Shot(i).Visible);
    EXPECT_LT(Shot(1).X, -800);
    world.Schuesse->Fire(374.5f, 0, -800);
    EXPECT_TRUE(Shot(1).Visible);
    world.Schuesse->HideAll();
    EXPECT_FALSE(Shot(1).Visible);
}

TEST_F(ShotsTest, WithoutASoundEngineEverythingStillWorksSilently) {
    WithSound = false;
    Start(IdleScript);
    ASSERT_EQ(DSound, nullptr);
    world.Spermien->StartLevel();
    Place(1, 1, 300, 0);
    world.Schuesse->Fire(374.5f, 0, -800);
    world.Schuesse->Move();
    EXPECT_TRUE(Sperm(1).Caught);
    world.Anzeige->TorpedoMode = true;
    Place(2, 4, 300, 100);
    world.Schuesse->Fire(374.5f, 100, -800);
    world.Schuesse->Move();
    EXPECT_FALSE(Sperm(2).Visible);
    EXPECT_EQ(Points(), 100 + 120);
}

}  // namespace
