// The swarm driven step by step: rows and their positions, the script's
// settings and timing, demo mode, passing and the game's defeat.
#include <cmath>

#include "world_fixture.h"

namespace {

class SwarmTest : public WorldTest {
protected:
    // Starts play and runs the swarm for n steps.
    void Play(const std::string& script, int steps) {
        Start(script);
        world.Spermien->StartLevel();
        Run(steps);
    }
    void Run(int steps) {
        for (int i = 0; i < steps; ++i) world.Spermien->Move();
    }
    // Y of every visible enemy, in slot order.
    std::vector<float> VisibleRows() {
        std::vector<float> ys;
        for (int i = 1; i <= world.Spermien->ItemCount; ++i)
            if (Sperm(i).Visible) ys.push_back(Sperm(i).Y);
        return ys;
    }
};

// Settings, a formation command, end, then the block.
std::string Level(const std::string& settings, const std::string& row) {
    return "boba=sperm1\nbobb=sperm2\nbobv=virus1\n" + settings + "formation=1\nend\nDefineFormation1\n" +
           row + "\nend\n";
}

TEST_F(SwarmTest, RowCellsAreCentredOnTheMiddlePositionWithEmptyPositionsCounted) {
    // Three "bob" lines, the formation command, then the row one step later.
    Play(Level("", "a1;;a1;"), 5);
    EXPECT_EQ(VisibleRows(), (std::vector<float>{-60, 60}));

    Play(Level("", "a0;a0;a0;a0;"), 5);
    EXPECT_EQ(VisibleRows(), (std::vector<float>{-90, -30, 30, 90}));

    Play(Level("middleposition=-110\ngap=70\n", "a0;a0;a0;"), 7);
    EXPECT_EQ(VisibleRows(), (std::vector<float>{-180, -110, -40}));
}

TEST_F(SwarmTest, TheExampleLevelLaunchesAColumnAndFortyStepsLaterAVirus) {
    Start(
        "speed=40\nbobspeed=0.25\nboba=sperm1\nbobb=virus2\nformation=1\nend\nDefineFormation1\n"
        "a1;a1;a1;\n;b2;;\nend\n");
    world.Spermien->StartLevel();
    Run(6);  // five settings and commands, then the first row
    ASSERT_EQ(VisibleRows(), (std::vector<float>{-60, 0, 60}));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(Sperm(i).Kind, 1);
        EXPECT_FLOAT_EQ(Sperm(i).ThrustX, 0.35f);
        EXPECT_NEAR(Sperm(i).VelocityX, 3.5f, 0.05f);
    }
    Run(39);
    EXPECT_FALSE(Sperm(4).Visible);
    Run(1);
    ASSERT_TRUE(Sperm(4).Visible);
    EXPECT_EQ(Sperm(4).Kind, 5);
    EXPECT_EQ(Sperm(4).Y, 0);
    EXPECT_FLOAT_EQ(Sperm(4).ThrustX, 0.45f);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Launched, 1)], 3);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Launched, 5)], 1);
    // The closing "end" of the block resumes the main script, whose "end" stops it.
    Run(41);
    EXPECT_EQ(world.Spermien->FormationPointer, -1);
    EXPECT_EQ(world.Spermien->MainPointer, -1);
}

TEST_F(SwarmTest, SettingsLinesTakeTheirValues) {
    Play("bobspeed=0,5\nbobspeedstep=0.2\ngap = 75\nspeed 30\nbobfreepos=1\nbobfuzzytime=9\nend\n", 5);
    EXPECT_DOUBLE_EQ(static_cast<double>(world.Spermien->BobSpeed), 0.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(world.Spermien->BobSpeedStep), 0.2);
    EXPECT_DOUBLE_EQ(static_cast<double>(world.Spermien->Gap), 75.0);  // XValue " ", value " 75"
    EXPECT_EQ(world.Spermien->Speed, 30);
    EXPECT_TRUE(world.Spermien->BobFreePos);
    EXPECT_EQ(world.Spermien->BobFuzzyTime, 0);  // one line per step: not reached yet
    Run(1);
    EXPECT_EQ(world.Spermien->BobFuzzyTime, 9);

    Play("bobfreepos=1\nbobfreepos = 1\nend\n", 1);
    EXPECT_TRUE(world.Spermien->BobFreePos);
    Run(1);
    EXPECT_FALSE(world.Spermien->BobFreePos);
}

TEST_F(SwarmTest, EmptyLinesAreSkippedAndLetterCaseIsIgnored) {
    Play("\n   \n  SPEED=33  \n\nend\n", 1);
    EXPECT_EQ(world.Spermien->Speed, 33);
    Run(1);
    EXPECT_EQ(world.Spermien->MainPointer, -1);
}

TEST_F(SwarmTest, FreePositionsAreRandomRowsOnTheScreen) {
    Play(Level("bobfreepos=1\n", "a0;a0;a0;a0;a0;a0;a0;a0;"), 6);
    const auto ys = VisibleRows();
    ASSERT_EQ(ys.size(), 8u);
    for (float y : ys) {
        EXPECT_GE(y, -250);
        EXPECT_LE(y, 249);
        EXPECT_EQ(y, std::floor(y));
    }
    EXPECT_NE(ys, (std::vector<float>{-240, -180, -120, -60, 0, 60, 120, 180}));
}

TEST_F(SwarmTest, FuzzyTimeOneLaunchesEnemiesThatNeverShow) {
    Play(Level("bobfuzzytime=1\n", "a0;a0;a0;"), 6);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Launched, 1)], 3);
    Run(200);
    EXPECT_EQ(VisibleSperms(), 0);
}

TEST_F(SwarmTest, FuzzyTimeDelaysTheAppearance) {
    Play(Level("bobfuzzytime=30\n", "a0;a0;a0;a0;a0;a0;"), 5);
    world.Spermien->DoScript();  // the row, without the enemies' step
    EXPECT_EQ(VisibleSperms(), 0);
    int delayed = 0;
    for (int i = 1; i <= 6; ++i) {
        EXPECT_GE(Sperm(i).Delay, 0);
        EXPECT_LT(Sperm(i).Delay, 30);
        delayed += Sperm(i).Delay > 0 ? 1 : 0;
    }
    ASSERT_GT(delayed, 0);
    Run(30);
    // A delay of 0 never shows; every other one has run out by now.
    EXPECT_EQ(VisibleSperms(), delayed);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Launched, 1)], 6);
}

TEST_F(SwarmTest, ProbabilityZeroLaunchesNothingAndOneEverything) {
    Play(Level("bobprobability=0\n", "a0;a0;a0;a0;a0;"), 6);
    EXPECT_EQ(VisibleSperms(), 0);
    Play(Level("bobprobability=1\n", "a0;a0;a0;a0;a0;"), 6);
    EXPECT_EQ(VisibleSperms(), 5);
}

TEST_F(SwarmTest, CellsThatAreNoEnemyStillTakeTheirPosition) {
    // Unassigned letter, unknown kind name, no letter, bad digits, too short.
    Play("bobq=nosuchkind\n" + Level("", "z1;q1;a1;1a;ax;a;a123;"), 6);
    EXPECT_EQ(VisibleRows(), (std::vector<float>{-60, 180}));  // positions 3 and 7 of 7, gap 60
    EXPECT_FLOAT_EQ(Sperm(2).ThrustX, 0.3f + 12 * 0.1f);       // "a123" keeps "12"
}

TEST_F(SwarmTest, EmptyRowsTakeTheirTimeAndAFullPoolLaunchesNothingMore) {
    std::string rows;
    for (int i = 0; i < 8; ++i) rows += "a0;a0;a0;a0;a0;a0;a0;a0;\n";
    Play(Level("speed=2\n", ";\n" + rows), 6);
    EXPECT_EQ(VisibleSperms(), 0);  // the empty row
    Run(2 * 8);
    EXPECT_EQ(VisibleSperms(), MaxSperms);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Launched, 1)], MaxSperms);
}

TEST_F(SwarmTest, AMissingFormationIsLoggedAndTheScriptGoesOn) {
    Play("formation 7\nspeed=12\nend\n", 1);
    EXPECT_EQ(Log().back(), "Formation 7 nicht gefunden");
    EXPECT_EQ(world.Spermien->FormationPointer, -1);
    Run(1);
    EXPECT_EQ(world.Spermien->Speed, 12);
}

TEST_F(SwarmTest, TheFirstFormationHeaderCountsAndCaseDoesNotMatter) {
    Play("boba=sperm1\nformation=2\nend\ndefineFORMATION2\na0;\nend\nDefineFormation2\na0;a0;\nend\n", 3);
    EXPECT_EQ(VisibleSperms(), 1);
}

TEST_F(SwarmTest, ABadValueStopsTheScriptWithTheDiagnostics) {
    Start("boba=sperm1\nspeed=abc\n");
    world.Spermien->StartLevel();
    world.Spermien->Move();
    try {
        world.Spermien->Move();
        FAIL() << "no error";
    } catch (const ELevelScriptError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "'abc' ist kein g\xFCltiger Integerwert\r\n (mainpointer=2)\r\n (order=speed)\r\n"
                  " (value=abc)\r\n (xvalue=)\r\n");
    }

    Start("bobspeedstep x=0.1.2\n");
    world.Spermien->StartLevel();
    try {
        world.Spermien->DoScript();
        FAIL() << "no error";
    } catch (const ELevelScriptError& e) {
        EXPECT_EQ(
            std::string(e.what()),
            "0.1.2 ist kein g\xFCltiger Gleitkommastring\r\n (mainpointer=1)\r\n (order=bobspeedstep)\r\n"
            " (value=0.1.2)\r\n (xvalue= x)\r\n");
    }
}

TEST_F(SwarmTest, MalformedScriptsFailOnlyWithTheScriptError) {
    const std::vector<std::string> lines = {"speed=-5",
                                            "speed=0",
                                            "formation=-1",
                                            "formation=99999999999",
                                            "bob=sperm1",
                                            "bob;=virus1",
                                            "bobfuzzytime=-3",
                                            "gap=1e308",
                                            "middleposition=-1e30",
                                            "bobspeed=nan",
                                            "DefineFormation1",
                                            ";;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;"
                                            ";;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;",
                                            "a99;zz;\xE4"
                                            "1;",
                                            "end",
                                            "formation=1",
                                            "bobfreepos",
                                            "=",
                                            "speed=",
                                            "boba=",
                                            "bob\xFF=sperm1"};
    RandSeed = 99;
    int failed = 0, ranThrough = 0;
    for (int round = 0; round < 40; ++round) {
        std::string script = "boba=sperm1\nbobb=virus3\n";
        for (int i = 0; i < 30; ++i)
            script += lines[RandInt(static_cast<std::uint32_t>(lines.size()))] + "\n";
        world.Spermien->Lines = SplitLines(script);
        world.Spermien->StartLevel();
        int step = 0;
        try {
            for (; step < 300; ++step) world.Spermien->Move();
            ++ranThrough;
        } catch (const ELevelScriptError& e) {
            // The message says where the script stood.
            EXPECT_NE(std::string(e.what()).find("(mainpointer="), std::string::npos) << e.what();
            ++failed;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "round " << round << ", step " << step << ": " << e.what();
        }
        // Whatever the script did, only enemies of the six kinds are out.
        for (int i = 1; i <= MaxSperms; ++i) {
            if (!Sperm(i).Visible) continue;
            EXPECT_TRUE(Sperm(i).Kind >= 1 && Sperm(i).Kind <= KindCount) << i;
        }
    }
    // Both outcomes occur, so both paths were taken.
    EXPECT_GT(failed, 0);
    EXPECT_GT(ranThrough, 0);
}

TEST_F(SwarmTest, DemoModeShowsRandomEnemiesAtDepthWithoutCountingThem) {
    ASSERT_TRUE(world.Spermien->DemoMode);
    Run(3000);
    int seen = 0;
    for (int i = 1; i <= MaxSperms; ++i) {
        if (!Sperm(i).Visible) continue;
        ++seen;
        EXPECT_GT(Sperm(i).Z, -1200.5f);
        EXPECT_LE(Sperm(i).Z, -399.5f);
    }
    EXPECT_GT(seen, 0);
    for (int k = 1; k <= 24; ++k) EXPECT_EQ(world.Spermien->Stats[static_cast<std::size_t>(k)], 0) << k;
}

TEST_F(SwarmTest, PassingCountsPlaysForWhiteSpermsAndSkipsCaughtOnes) {
    world.Spermien->StartLevel();
    Place(1, 1, 398, -100, 0.3f);
    Place(2, 2, 398, 0, 0.3f);
    TSperm& caught = Place(3, 3, 398, 100, 0.3f);
    world.Spermien->MarkCaught(3);
    TakeSounds();
    Run(1);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Passed, 1)], 1);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Passed, 2)], 1);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Passed, 3)], 0);
    EXPECT_TRUE(caught.Visible);
    const auto sounds = TakeSounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "spermdurch"), 1);
    EXPECT_FALSE(world.Anzeige->GameOver);
    // Counted once only.
    Run(1);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Passed, 1)], 1);
}

TEST_F(SwarmTest, TheFirstDeadlyEnemyThroughLosesTheGameOnce) {
    world.Spermien->StartLevel();
    world.Rohre->Show();
    Place(1, 4, 398, 0, 0.3f);
    Run(1);
    EXPECT_TRUE(world.Anzeige->GameOver);
    EXPECT_FALSE(world.Anzeige->Won);
    EXPECT_EQ(world.Anzeige->ScoreGameover->GameoverSteps, 0);
    EXPECT_EQ(Pipe().Bob(1)->Animation, 1);  // empty
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Passed, 4)], 1);

    world.Anzeige->ScoreGameover->GameoverSteps = 17;
    Place(2, 6, 398, 50, 0.3f);
    Run(1);
    EXPECT_EQ(world.Spermien->Stats[KindStat(TKindStat::Passed, 6)], 1);
    EXPECT_EQ(world.Anzeige->ScoreGameover->GameoverSteps, 17);
}

TEST_F(SwarmTest, FindSpermWantsTheNoseStrictlyInsideAndSkipsCaughtOnes) {
    world.Spermien->StartLevel();
    Place(1, 1, 100, 0);
    Place(2, 2, 100, 0);
    EXPECT_EQ(world.Spermien->FindSperm(50, -10, 150, 10), 1);
    EXPECT_EQ(world.Spermien->FindSperm(100, -10, 150, 10), -1);
    EXPECT_EQ(world.Spermien->FindSperm(50, -10, 100, 10), -1);
    EXPECT_EQ(world.Spermien->FindSperm(50, 0, 150, 10), -1);
    world.Spermien->MarkCaught(1);
    EXPECT_EQ(world.Spermien->FindSperm(50, -10, 150, 10), 2);
    Sperm(2).SetVisible(false);
    EXPECT_EQ(world.Spermien->FindSperm(50, -10, 150, 10), -1);
}

TEST_F(SwarmTest, BubbleizeHidesTheEnemyAndLetsBubblesOut) {
    world.Spermien->StartLevel();
    TSperm& s = Place(1, 4, 0, 0);
    s.Bubbleize();
    EXPECT_FALSE(s.Visible);
    int shown = 0;
    for (int i = 1; i <= world.Bubbles->Count; ++i) shown += world.Bubbles->Item(i)->Visible ? 1 : 0;
    EXPECT_GT(shown, 0);
}

}  // namespace
