// The end of a game: the game-over pause, placing the score, the won-game
// timeline and the name entry of a new high score.
#include "hud_world.h"

using namespace hudtest;

namespace {

class EndGame : public HudWorld {
protected:
    void SetUp() override {
        HudWorld::SetUp();
        MakeDisplays();
        Anzeige->StartGame();
        world.Playing = true;
    }
    // Ranks 1..10 hold 1000, 900, ..., 100.
    static void FullTable() {
        for (int r = 1; r <= 10; ++r) {
            Env.Highscores[r - 1].Name.assign("P" + std::to_string(r));
            Env.Highscores[r - 1].Score = 1100 - 100 * r;
            Env.StatTexts[r - 1].assign("old" + std::to_string(r));
        }
    }
    void Steps(int n) {
        for (int i = 0; i < n; ++i) Anzeige->Animate();
    }
    // A deadly enemy passed with this score; runs the game-over pause.
    void LoseWith(std::int32_t points) {
        Anzeige->ScorePoints->Points = points;
        Anzeige->GameOver = true;
        Steps(350);
    }
    // Lost with a score that enters the table; runs until its row is edited.
    THSEntry& EnterName(std::int32_t points) {
        LoseWith(points);
        for (int i = 0; i < 60 && !Anzeige->HSEntryActive(); ++i) Anzeige->Animate();
        EXPECT_TRUE(Anzeige->HSEntryActive());
        return Anzeige->HSEntry(Anzeige->NewRank);
    }
    std::string NameAt(int rank) const { return Env.Highscores[rank - 1].Name.str(); }
    void Type(const std::string& keys) {
        for (char c : keys) Anzeige->HSKeyPress(c);
    }
};

TEST_F(EndGame, ScoreEqualToTheTenthEntersAtRankTen) {
    FullTable();
    Env.LastHighscoreName.assign("Zed");
    LoseWith(100);
    EXPECT_FALSE(world.GameLost);
    EXPECT_EQ(Anzeige->EndCounter, 0);
    Steps(1);
    EXPECT_EQ(Anzeige->NewRank, 10);
    EXPECT_EQ(Env.Highscores[8].Score, 200);
    EXPECT_EQ(Env.Highscores[9].Score, 100);
    EXPECT_EQ(NameAt(10), "Zed");
    EXPECT_EQ(Env.StatTexts[9].str().size(), 55u);
    EXPECT_EQ(Env.StatTexts[8].str(), "old9");
    EXPECT_FALSE(Anzeige->ScoreTime->Visible);
    // Straight to the table: row 1 on the first step, row 10 nine rows later.
    EXPECT_TRUE(Anzeige->HSEntry(1).Visible);
    EXPECT_FALSE(Anzeige->HSEntry(2).Visible);
    Steps(53);
    EXPECT_FALSE(Anzeige->HSEntryActive());
    Steps(1);
    EXPECT_TRUE(Anzeige->HSEntry(10).Editing);
    EXPECT_EQ(Anzeige->HSEntry(10).Cursor, 4);
    EXPECT_FALSE(world.GameLost);
}

TEST_F(EndGame, LowerScoreLeavesTheTableAndEndsTheLostGameAfterThePause) {
    FullTable();
    LoseWith(99);
    EXPECT_FALSE(world.GameLost);
    EXPECT_TRUE(world.Playing);
    // No statistics text is made for a score that did not place, so the
    // chance drawn from here on is the same as without one.
    const std::uint32_t seed = RandSeed;
    Steps(1);
    EXPECT_EQ(RandSeed, seed);
    EXPECT_EQ(Anzeige->NewRank, 0);
    EXPECT_TRUE(world.GameLost);
    EXPECT_FALSE(world.Playing);
    EXPECT_TRUE(screen.Clicked);
    EXPECT_FALSE(world.GameWon);
    EXPECT_EQ(Env.Highscores[9].Score, 100);
    EXPECT_EQ(NameAt(10), "P10");
}

TEST_F(EndGame, GameOverPictureSoundAndHelpText) {
    TakeSounds();
    Anzeige->GameOver = true;
    Steps(1);
    EXPECT_TRUE(Anzeige->ScoreGameover->Visible);
    EXPECT_TRUE(TakeSounds() == std::vector<std::string>({"TR_66_02"}));
    const float z = Anzeige->ScoreGameover->Z;
    Steps(49);
    EXPECT_LT(Anzeige->ScoreGameover->Z, z);  // it recedes to its own size
    EXPECT_EQ(Anzeige->HelpField->TextCount, 1);
    EXPECT_EQ(Anzeige->HelpField->Texts[0], "Protect well, better, best");
}

TEST_F(EndGame, WonGameTimeline) {
    FullTable();
    Anzeige->ScorePoints->Points = 5;  // stays below the table
    Anzeige->Won = true;
    TakeSounds();
    int firstLetter = 0, lastLetter = 0, flyOff = 0, scoreGone = 0, firstRow = 0, lastRow = 0, ended = 0;
    for (int step = 1; step <= 400 && !ended; ++step) {
        Anzeige->Animate();
        if (!firstLetter && Anzeige->Congrat(1).Visible) firstLetter = step;
        if (!lastLetter && Anzeige->Congrat(16).Visible) {
            lastLetter = step;
            // Letter k shows picture k of the word and lines up across the middle.
            EXPECT_EQ(Anzeige->Congrat(5).Bob(1)->Animation, 4);
            EXPECT_FLOAT_EQ(Anzeige->Congrat(16).TargetX, 300);
            EXPECT_FLOAT_EQ(Anzeige->Congrat(16).TargetZ, -699);
        }
        if (!flyOff && Anzeige->Congrat(1).TargetY == -200) flyOff = step;
        if (!scoreGone && !Anzeige->ScorePoints->Visible) scoreGone = step;
        if (!firstRow && Anzeige->HSEntry(1).Visible) firstRow = step;
        if (!lastRow && Anzeige->HSEntry(10).Visible) lastRow = step;
        if (world.GameWon) ended = step;
    }
    EXPECT_EQ(firstLetter, 31);
    EXPECT_EQ(lastLetter, 31 + 15 * 6);
    EXPECT_EQ(flyOff, 151);
    EXPECT_EQ(scoreGone, 151 + 15 * 6);
    EXPECT_EQ(firstRow, 247);
    EXPECT_EQ(lastRow, 247 + 9 * 6);
    EXPECT_EQ(ended, lastRow);
    EXPECT_FALSE(world.GameLost);
    EXPECT_TRUE(screen.Clicked);
    EXPECT_EQ(Anzeige->NewRank, 0);
    const auto sounds = TakeSounds();
    EXPECT_EQ(sounds.front(), "TR_06_03");
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "BIGTIME"), 10);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "TR_36_03"), 0);
}

TEST_F(EndGame, ElevenLettersKeepTenAndEnterSavesTheTrimmedName) {
    THSEntry& row = EnterName(500);
    EXPECT_EQ(row.Rank, 1);
    EXPECT_EQ(row.Cursor, 1);
    TakeSounds();
    Type("ABCDEFGHIJK");
    EXPECT_EQ(NameAt(1), "ABCDEFGHIJ");
    EXPECT_EQ(row.Cursor, 11);
    EXPECT_EQ(TakeSounds().size(), 11u);
    Anzeige->HSKeyPress(13);
    EXPECT_EQ(NameAt(1), "ABCDEFGHIJ");
    EXPECT_EQ(Env.LastHighscoreName.str(), "ABCDEFGHIJ");
    EXPECT_FALSE(Anzeige->HSEntryActive());
    EXPECT_TRUE(world.GameLost);
    EXPECT_FALSE(world.Playing);
    EXPECT_TRUE(screen.Clicked);
    // Env reached the disk with the name.
    SetEnvDefaults();
    LoadEnv();
    EXPECT_EQ(Env.Highscores[0].Name.str(), "ABCDEFGHIJ");
    EXPECT_EQ(Env.Highscores[0].Score, 500);
}

TEST_F(EndGame, BackspaceAtTheFirstPositionOnlySounds) {
    THSEntry& row = EnterName(500);
    const std::string before = NameAt(1);
    TakeSounds();
    Anzeige->HSKeyPress(8);
    EXPECT_EQ(NameAt(1), before);
    EXPECT_EQ(row.Cursor, 1);
    EXPECT_TRUE(TakeSounds() == std::vector<std::string>({"TR_50_08"}));
    Type("AB");
    Anzeige->HSKeyPress(8);
    EXPECT_EQ(NameAt(1), "A_");
    EXPECT_EQ(row.Cursor, 2);
    Type("x");
    EXPECT_EQ(NameAt(1), "Ax_");
}

TEST_F(EndGame, EscapeFinishesLikeEnterAndTrimsBlanksAndTheCursor) {
    Env.LastHighscoreName.assign(" Bob");
    Anzeige->Won = true;  // a won game with a new best score
    Anzeige->ScorePoints->Points = 20000;
    for (int i = 0; i < 400 && !Anzeige->HSEntryActive(); ++i) Anzeige->Animate();
    THSEntry& row = Anzeige->HSEntry(1);
    ASSERT_TRUE(row.Editing);
    EXPECT_EQ(row.Cursor, 5);
    Type("  ");
    EXPECT_EQ(NameAt(1), " Bob  _");
    Anzeige->HSKeyPress(27);
    EXPECT_EQ(NameAt(1), "Bob");
    EXPECT_EQ(Env.LastHighscoreName.str(), "Bob");
    EXPECT_TRUE(world.GameWon);
    EXPECT_FALSE(world.GameLost);
    EXPECT_TRUE(FileExists("SPS/env.dat"));
}

TEST_F(EndGame, CursorBlinksAtTheEditedPosition) {
    Env.LastHighscoreName.assign("Al");
    THSEntry& row = EnterName(500);
    ASSERT_EQ(row.Cursor, 3);
    ASSERT_EQ(row.Blink, 0);
    Steps(49);
    EXPECT_EQ(NameAt(1), "Al ");  // the blank the cursor stands on
    Steps(1);
    EXPECT_EQ(NameAt(1), "Al_");
    Steps(51);
    EXPECT_EQ(row.Blink, 0);
    EXPECT_EQ(NameAt(1), "Al ");
}

}  // namespace
