// The high-score table and the placing of a game's result.
#include <gtest/gtest.h>

#include "infra/env_data.h"
#include "online/highscores.h"
#include "support/temp_program_dir.h"

namespace {

void FillTable(std::int32_t top, std::int32_t step) {
    SetEnvDefaults();
    for (int i = 0; i < HighscoreCount; ++i) {
        Env.Highscores[i].Name.assign("P" + std::to_string(i + 1));
        Env.Highscores[i].Score = top - i * step;
        Env.StatTexts[i].assign("stat" + std::to_string(i + 1));
    }
}

}  // namespace

TEST(Highscores, AnEmptyTableTakesAScoreAtRankOne) {
    SetEnvDefaults();
    EXPECT_EQ(InsertHighscore(0), 1);
    EXPECT_EQ(Env.Highscores[0].Score, 0);
    EXPECT_EQ(Env.Highscores[0].Name.str(), " ");
    for (int i = 1; i < HighscoreCount; ++i) EXPECT_EQ(Env.Highscores[i].Score, EmptyHighscore);
    // A negative score still beats an empty entry.
    EXPECT_EQ(InsertHighscore(-500), 2);
}

TEST(Highscores, TheLowestEntryDecidesWhetherAScorePlaces) {
    FillTable(1400, 100);  // lowest 500
    EXPECT_EQ(InsertHighscore(499), 0);
    EXPECT_EQ(Env.Highscores[9].Score, 500);
    EXPECT_EQ(Env.Highscores[9].Name.str(), "P10");
    EXPECT_EQ(InsertHighscore(500), 10);
    EXPECT_EQ(Env.Highscores[9].Name.str(), " ");
}

TEST(Highscores, AnEqualScoreRanksAboveAndTheRestMovesDown) {
    FillTable(1000, 100);
    EXPECT_EQ(InsertHighscore(1000), 1);
    EXPECT_EQ(Env.Highscores[1].Name.str(), "P1");
    EXPECT_EQ(Env.Highscores[1].Score, 1000);
    EXPECT_EQ(Env.Highscores[9].Name.str(), "P9");
    for (int i = 1; i < HighscoreCount; ++i) EXPECT_GE(Env.Highscores[i - 1].Score, Env.Highscores[i].Score);
}

TEST(Highscores, StatisticsTextsStayAtTheirRank) {
    FillTable(1000, 100);
    Env.LastHighscoreName.assign("Zoe");
    EXPECT_EQ(PlaceGameResult(850, [] { return "new stats"; }), 3);
    EXPECT_EQ(Env.Highscores[2].Name.str(), "Zoe");
    EXPECT_EQ(Env.StatTexts[2].str(), "new stats");
    for (int i = 3; i < HighscoreCount; ++i)
        EXPECT_EQ(Env.StatTexts[i].str(), "stat" + std::to_string(i + 1));
    // Too long a statistics text is cut to its slot.
    EXPECT_EQ(PlaceGameResult(2000, [] { return std::string(150, 's'); }), 1);
    EXPECT_EQ(Env.StatTexts[0].str().size(), 100u);
    // A score that does not place makes no statistics text at all.
    bool made = false;
    EXPECT_EQ(PlaceGameResult(-5,
                              [&] {
                                  made = true;
                                  return std::string("x");
                              }),
              0);
    EXPECT_FALSE(made);
}

TEST(Highscores, NamesAreCutToTenCharacters) {
    SetEnvDefaults();
    Env.Highscores[0].Name.assign("ABCDEFGHIJK");
    Env.Highscores[1].Name.assign("ABCDEFGHIJ");
    TrimHighscoreNames();
    EXPECT_EQ(Env.Highscores[0].Name.str(), "ABCDEFGHIJ");
    EXPECT_EQ(Env.Highscores[1].Name.str(), "ABCDEFGHIJ");
    SetHighscoreName(1, "Maximilian Mustermann");
    EXPECT_EQ(Env.Highscores[0].Name.str(), "Maximilian");
}

TEST(Highscores, FinishingTrimsTheCursorAndSaves) {
    TempProgramDir dir;
    SetEnvDefaults();
    InsertHighscore(10);
    FinishHighscoreName(1, "  Ann _ ");
    EXPECT_EQ(Env.Highscores[0].Name.str(), "Ann");
    EXPECT_EQ(Env.LastHighscoreName.str(), "Ann");
    EXPECT_EQ(dir.Read("sps/env.dat").size(), ScrambledEnvSize);
    FinishHighscoreName(1, "_");
    EXPECT_EQ(Env.Highscores[0].Name.str(), "");
}
