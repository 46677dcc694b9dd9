// Whole games through vantorel-headless: scripted input, then the log, the
// records and the files are checked.
#include <gtest/gtest.h>

#include <filesystem>

#include "headless_game.h"
#include "infra/env_data.h"
#include "infra/scrambler.h"
#include "support/start_lines.h"

namespace {

// A level whose one virus flies straight through within two seconds.
const std::vector<std::string> DeadlyLevel = {"speed=10",         "boba=virus1", "formation=1", "end",
                                              "DefineFormation1", "a9;",         "end"};
// A level that launches nothing: the clock runs out and the game is won.
const std::vector<std::string> EmptyLevel = {"speed=50", "end"};

void FillTable(std::int32_t best) {
    for (int r = 0; r < HighscoreCount; ++r) {
        Env.Highscores[r].Name.assign("Rank" + std::to_string(r + 1));
        Env.Highscores[r].Score = best - 100 * r;
    }
}

// What every game screen writes when it starts, in order.
std::vector<std::string> StartLines() {
    std::vector<std::string> lines = WindowStartLines();
    for (const char* line : {"1", "2", "2a", "2b", "2c", "2d", "3", "4", "Formshow: End", "glsInit: Start",
                             "InitLevel: Start", "Initlevel: End", "glsInit: End"})
        lines.emplace_back(line);
    return lines;
}

// The way out from a state that saw Closing: the information picture, then the end.
const std::vector<std::string> LeaveLines = {
    "glsExit: Start",  "CloseLevel: Start", "CloseLevel: End",  "glsExit: Close1",
    "glsExit: Close2", "glsExit: Close3",   "glsExit: Close4",  "glsExit: End",
    "glsInfo: End",    "glsEnd: Start",     "Back: Start",      "Back: Stop flipping",
    "Back: End",       "glsEnd: End",       "FormClose: Start", "FormClose: End"};

}  // namespace

TEST(GameE2E, EscapeOnTheTitleLeadsThroughTheInformationPictureToOK) {
    HeadlessGame game;
    game.SaveRecords();
    const HeadlessResult r = game.Run("1000 key Escape\n3000 key Escape\n");
    EXPECT_TRUE(r.InOrder(StartLines())) << r.Text();
    const int lines = r.Find("Lines: ", 0, true);
    ASSERT_GE(lines, 0) << r.Text();
    EXPECT_GT(std::stoi(r.Lines[static_cast<std::size_t>(lines)].substr(7)), 100);
    std::vector<std::string> leaving = {"Formkeydown: Escape", "glsBegin: Close"};
    leaving.insert(leaving.end(), LeaveLines.begin(), LeaveLines.end());
    EXPECT_TRUE(r.InOrder(leaving)) << r.Text();
    // The information picture waited for the second Escape.
    EXPECT_LT(r.Find("glsExit: End"), r.Find("Formkeydown: Escape", r.Find("glsExit: End")));
    EXPECT_EQ(r.Last(), "OK");
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_FALSE(r.Has("glsBegin: Return"));
    EXPECT_EQ(Env.GamesStarted, 0);
    EXPECT_TRUE(game.Dir.Exists("sps/game.dat"));
}

TEST(GameE2E, AFolderInPlaceOfTheGameDataEndsNormallyWithTheSaveError) {
    HeadlessGame game;
    game.SaveRecords();
    std::filesystem::create_directories(game.Dir / "sps/game.dat");
    const HeadlessResult r = game.Run("1000 key Escape\n3000 key Escape\n", 1, 400);
    // Loading gave the defaults; the failed save is logged once, after the
    // information picture, and the second Escape still ends the screen.
    EXPECT_EQ(r.Count("glsExit: Start"), 1) << r.Text();
    const int failure = r.Find("Exception raised in Threadnotify while glsproc: ", 0, true);
    ASSERT_GE(failure, 0) << r.Text();
    EXPECT_NE(r.Lines[static_cast<std::size_t>(failure)].find("Is a directory"), std::string::npos);
    EXPECT_TRUE(r.InOrder({"glsExit: Close4", "glsExit: End", r.Lines[static_cast<std::size_t>(failure)],
                           "glsInfo: End", "glsEnd: End"}))
        << r.Text();
    EXPECT_EQ(r.Last(), "ERROR");
    EXPECT_EQ(r.ExitCode, 1);
}

TEST(GameE2E, ARunnerThatFailsAtRunTimeGivesTheErrorWithoutItsUsage) {
    HeadlessGame game;
    const HeadlessResult r = game.Run("", 1, 100, "--input /nonexistent/input.txt");
    EXPECT_EQ(r.ExitCode, 2);
    const std::string errors = game.Dir.Read("stderr.txt");
    EXPECT_NE(errors.find("vantorel-headless: cannot read /nonexistent/input.txt"), std::string::npos)
        << errors;
    EXPECT_EQ(errors.find("usage:"), std::string::npos) << errors;
    // A bad command line: 2 as well, with the usage text that says so.
    EXPECT_EQ(game.Run("", 1, 100, "--no-such-option").ExitCode, 2);
    EXPECT_NE(game.Dir.Read("stderr.txt").find("2 a bad command line"), std::string::npos);
}

TEST(GameE2E, ALostGameWithoutANewEntryGoesOnToTheNextTitleWithoutAClick) {
    HeadlessGame game;
    FillTable(90000);
    game.SaveRecords();
    game.SetLevel(DeadlyLevel);
    const HeadlessResult r = game.Run("1000 click\n30000 key Escape\n32000 key Escape\n");
    EXPECT_TRUE(r.InOrder({"glsBegin: Return", "glsBegin2: Return", "glsLoop: Lost", "glsExit: Start",
                           "glsExit: Play again", "glsExit: End", "glsInit: Start", "glsInit: End",
                           "Formkeydown: Escape", "glsBegin: Close"}))
        << r.Text();
    EXPECT_EQ(r.Count("glsBegin: Return"), 1);
    EXPECT_EQ(r.Last(), "OK");
    EXPECT_EQ(Env.GamesStarted, 1);
    EXPECT_EQ(Env.GamesWon, 0);
    for (int i = 0; i < HighscoreCount; ++i) {
        EXPECT_EQ(Env.Highscores[i].Score, 90000 - 100 * i);
        EXPECT_EQ(Env.Highscores[i].Name.str(), "Rank" + std::to_string(i + 1));
    }
}

TEST(GameE2E, AWonGameWithPausesTakesATypedNameAtRankOne) {
    HeadlessGame game;
    FillTable(1000);
    game.SaveRecords();
    game.SetLevel(EmptyLevel);
    // The second P comes within 200 ms of the first and is ignored: still
    // paused until the third. Two pauses in all, 100 points each.
    const HeadlessResult r = game.Run(
        "1000 click\n"
        "5000 key P\n5100 key P\n8000 key P\n"
        "10000 key P\n11000 key P\n"
        "120000 text Tester\n121000 key Enter\n"
        "125000 key Escape\n127000 key Escape\n");
    EXPECT_TRUE(r.InOrder(
        {"glsBegin: Return", "glsLoop: Won", "glsExit: Play again", "glsInit: Start", "glsBegin: Close"}))
        << r.Text();
    EXPECT_EQ(r.Last(), "OK");
    EXPECT_EQ(Env.GamesStarted, 1);
    EXPECT_EQ(Env.GamesWon, 1);
    EXPECT_EQ(Env.Highscores[0].Name.str(), "Tester");
    EXPECT_EQ(Env.Highscores[0].Score, 10000 - 2 * 100);
    EXPECT_EQ(Env.LastHighscoreName.str(), "Tester");
    EXPECT_EQ(Env.Highscores[1].Score, 1000);
}

TEST(GameE2E, CaveEditPlacesMovesAndSavesAnElement) {
    HeadlessGame game;
    game.SaveRecords();
    game.SetSetting("caveedit", "1");
    std::filesystem::remove(game.Dir / "sps/front.dat");
    const HeadlessResult r = game.Run(
        "0 move 400 300\n"
        "1000 down\n1100 up\n"            // places a floor piece
        "1500 down\n1600 move 450 350\n"  // picks it up and drags it
        "1700 wheel up\n2000 up\n"        // the next type, then let go
        "2500 key Escape\n3500 key Escape\n");
    EXPECT_TRUE(
        r.InOrder({"glsInit: Caveedit on", "Formkeydown: Escape", "glsExit: Start", "glsExit: Close1"}))
        << r.Text();
    EXPECT_FALSE(r.Has("glsBegin: Return"));
    EXPECT_EQ(r.Last(), "OK");
    const std::string front = game.Dir.Read("sps/front.dat");
    ASSERT_EQ(front.size(), 4800u);
    std::int32_t first[4];
    std::memcpy(first, front.data(), sizeof first);
    EXPECT_EQ(first[0], 450);
    EXPECT_EQ(first[1], 350);
    EXPECT_EQ(first[2], -700);
    EXPECT_EQ(first[3], 2);
    for (std::size_t i = 16; i < front.size(); i += 4) {
        std::int32_t v;
        std::memcpy(&v, front.data() + i, 4);
        ASSERT_EQ(v, -1) << "at byte " << i;
    }
}

TEST(GameE2E, ABadValueInTheLevelClosesTheScreenWithTheDiagnostics) {
    HeadlessGame game;
    game.SaveRecords();
    game.SetLevel({"speed=abc", "end"});
    const HeadlessResult r = game.Run("1000 click\n8000 key Escape\n");
    const int failure = r.Find("Exception raised in Threadnotify while glsproc: ", 0, true);
    ASSERT_GE(failure, 0) << r.Text();
    EXPECT_GE(r.Find(" (mainpointer=1)", failure), 0) << r.Text();
    EXPECT_GE(r.Find(" (order=speed)", failure), 0) << r.Text();
    EXPECT_GE(r.Find(" (value=abc)", failure), 0) << r.Text();
    EXPECT_TRUE(
        r.InOrder({"glsLoop: Close", "glsExit: Start", "glsExit: Close1", "glsInfo: End", "glsEnd: End"}))
        << r.Text();
    EXPECT_EQ(r.Last(), "ERROR");
    EXPECT_EQ(r.ExitCode, 1);
}

TEST(GameE2E, ALostGameWithANewEntryTakesTheName) {
    HeadlessGame game;
    game.SaveRecords();  // an empty table: any score enters it
    game.SetLevel(DeadlyLevel);
    const HeadlessResult r = game.Run(
        "1000 click\n20000 text Loser\n21000 key Enter\n"
        "25000 key Escape\n27000 key Escape\n");
    EXPECT_TRUE(r.InOrder({"glsBegin: Return", "glsLoop: Lost", "glsExit: Play again", "glsBegin: Close"}))
        << r.Text();
    EXPECT_EQ(r.Last(), "OK");
    EXPECT_EQ(Env.Highscores[0].Name.str(), "Loser");
    EXPECT_EQ(Env.Highscores[0].Score, 0);
    EXPECT_EQ(Env.Highscores[1].Score, EmptyHighscore);
    EXPECT_EQ(Env.GamesStarted, 1);
    EXPECT_EQ(Env.GamesWon, 0);
}

TEST(GameE2E, EscapeDuringTheNameEntrySavesItAndCountsTheWin) {
    HeadlessGame game;
    game.SaveRecords();
    game.SetLevel(EmptyLevel);
    const HeadlessResult r =
        game.Run("1000 click\n110000 text Quick\n111000 key Escape\n113000 key Escape\n");
    EXPECT_TRUE(r.InOrder(
        {"glsBegin: Return", "Formkeydown: Escape", "glsLoop: Close", "glsExit: Close1", "glsInfo: End"}))
        << r.Text();
    EXPECT_FALSE(r.Has("glsLoop: Won"));
    EXPECT_EQ(r.Last(), "OK");
    EXPECT_EQ(Env.Highscores[0].Name.str(), "Quick");
    EXPECT_EQ(Env.Highscores[0].Score, 10000);
    EXPECT_EQ(Env.LastHighscoreName.str(), "Quick");
    EXPECT_EQ(Env.GamesWon, 1);
}

TEST(GameE2E, TheTenthTorpedoEndsTorpedoModeAndEachShotCostsItsPrice) {
    HeadlessGame game;
    game.SaveRecords();
    game.SetLevel(EmptyLevel);
    std::string script = "1000 click\n4000 key T\n";
    for (int i = 0; i < 11; ++i)
        script += std::to_string(4200 + 200 * i) + " click\n";  // ten torpedoes, a condom
    script += "7000 key T\n7200 click\n";  // no torpedo left: T changes nothing, a condom again
    script += "110000 key Enter\n113000 key Escape\n115000 key Escape\n";
    const HeadlessResult r = game.Run(script);
    EXPECT_TRUE(r.InOrder({"glsBegin: Return", "glsLoop: Won"})) << r.Text();
    EXPECT_EQ(Env.Highscores[0].Score, 10000 - 10 * 100 - 2 * 50);
    EXPECT_EQ(r.Last(), "OK");
}
