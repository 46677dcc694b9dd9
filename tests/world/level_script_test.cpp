// The level script's line parser, row splitting and the level file on disk.
#include <gtest/gtest.h>

#include "infra/errors.h"
#include "infra/game_data.h"
#include "infra/scrambler.h"
#include "support/temp_program_dir.h"
#include "world/level_script.h"
#include "world/swarm.h"

namespace {

TScriptLine Parse(const std::string& line) {
    return ParseScriptLine(line);
}

TEST(ParseScriptLine, TakesTheLongestKeywordPrefix) {
    EXPECT_EQ(Parse("bobspeedstep=0.2").Order, 6);
    EXPECT_EQ(Parse("bobspeed=0.2").Order, 5);
    EXPECT_EQ(Parse("bobprobability=1").Order, 9);
    EXPECT_EQ(Parse("bobfuzzytime=3").Order, 11);
    EXPECT_EQ(Parse("boba=sperm1").Order, 2);
    EXPECT_EQ(Parse("speed=40").Order, 1);
    EXPECT_EQ(Parse("endless").Order, 8);
    EXPECT_EQ(Parse("defineformation1").Order, 0);
    EXPECT_EQ(Parse("").Order, 0);
    EXPECT_EQ(Parse("xspeed=4").Order, 0);
}

TEST(ParseScriptLine, SplitsAtTheFirstEqualsSignWithoutTrimming) {
    const TScriptLine bob = Parse("boba=virus1");
    EXPECT_EQ(bob.XValue, "a");
    EXPECT_EQ(bob.Value, "virus1");

    // "=" right after the keyword: no XValue.
    const TScriptLine speed = Parse("speed=40");
    EXPECT_EQ(speed.XValue, "");
    EXPECT_EQ(speed.Value, "40");

    // Without "=" the whole rest is the value, blanks included.
    EXPECT_EQ(Parse("speed 30").Value, " 30");

    // A blank before "=" makes an XValue, a blank after it stays in the value:
    // "bobfreepos = 1" therefore does not switch free positions on.
    const TScriptLine free = Parse("bobfreepos = 1");
    EXPECT_EQ(free.XValue, " ");
    EXPECT_EQ(free.Value, " 1");

    const TScriptLine twice = Parse("gap=1=2");
    EXPECT_EQ(twice.Value, "1=2");
}

TEST(ParseScriptLine, CutsTheRestAt200Characters) {
    const std::string longValue(300, '7');
    EXPECT_EQ(Parse("speed=" + longValue).Value.size(), 199u);
    EXPECT_EQ(Parse("speed" + longValue).Value.size(), 200u);
}

TEST(SplitRow, CellsEndWithSemicolons) {
    EXPECT_EQ(SplitRow("a1;;a1;"), (std::vector<std::string>{"a1", "", "a1"}));
    EXPECT_EQ(SplitRow(";b2;;"), (std::vector<std::string>{"", "b2", ""}));
    // Text after the last ";" is ignored, a row without one has no cells.
    EXPECT_EQ(SplitRow("a1;b2"), (std::vector<std::string>{"a1"}));
    EXPECT_TRUE(SplitRow("a1").empty());
    EXPECT_TRUE(SplitRow("").empty());
}

TEST(SplitRow, KeepsAtMostOneHundredCells) {
    std::string row;
    for (int i = 0; i < 150; ++i) row += "a1;";
    EXPECT_EQ(SplitRow(row).size(), 100u);
}

TEST(ParseCell, ALetterAndOneOrTwoDigitsLaunch) {
    char letter = 0;
    std::int32_t step = -1;
    EXPECT_TRUE(ParseCell("a1", letter, step));
    EXPECT_EQ(letter, 'a');
    EXPECT_EQ(step, 1);
    EXPECT_TRUE(ParseCell("b12", letter, step));
    EXPECT_EQ(step, 12);
    EXPECT_TRUE(ParseCell("c345", letter, step));  // only the first two digits count
    EXPECT_EQ(step, 34);
    EXPECT_TRUE(ParseCell("d 7", letter, step));  // the standard conversion allows a leading blank
    EXPECT_EQ(step, 7);
    for (const char* bad : {"", "a", "1a", "A1", "ax", "a1x",
                            "\xE4"
                            "1",
                            ";", "a-"})
        EXPECT_FALSE(ParseCell(bad, letter, step)) << bad;
}

class LevelFileTest : public ::testing::Test {
protected:
    void SetUp() override { SetGameDataDefaults(); }
    void TearDown() override { SetGameDataDefaults(); }
    TempProgramDir dir;
};

TEST_F(LevelFileTest, ReadsTheLevelOfTheGameDataUnscrambled) {
    GameData.LevelNumber = 12;
    dir.Write("SPS/Level12.txt", ScrambleText("speed=40") + "\r\n" + ScrambleText("") + "\r\n" +
                                     ScrambleText("DefineFormation1") + "\r\n");
    std::vector<std::string> lines;
    LoadLevelFile(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"speed=40", "", "DefineFormation1"}));
}

TEST_F(LevelFileTest, AMissingFileRaisesTheFileError) {
    GameData.LevelNumber = 3;
    std::vector<std::string> lines;
    EXPECT_THROW(LoadLevelFile(lines), EInOutError);
}

TEST_F(LevelFileTest, SavedLinesReadBackAndTheFileStaysScrambled) {
    const std::vector<std::string> lines = {"speed=40",         "boba=sperm1", "",
                                            "DefineFormation1", "a1;;a1;",     "end"};
    SaveLevelFile(lines);
    EXPECT_EQ(dir.Read("sps/Level1.txt").find("speed"), std::string::npos);
    std::vector<std::string> back;
    LoadLevelFile(back);
    EXPECT_EQ(back, lines);
}

}  // namespace
