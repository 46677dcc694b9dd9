// The "key: value" settings files and their fallbacks.
#include <gtest/gtest.h>

#include "infra/config_file.h"
#include "support/recording_messages.h"
#include "support/temp_program_dir.h"

TEST(ConfigFile, MissingFileIsCreatedAndTheDefaultReturned) {
    TempProgramDir dir;
    RecordingMessages messages;
    EXPECT_EQ(ReadSetting("caveedit", "0", messages), "0");
    EXPECT_TRUE(dir.Exists("sps/prog.cfg"));
    EXPECT_EQ(dir.Read("sps/prog.cfg"), "");
}

TEST(ConfigFile, KeysMatchWithoutCaseAndTheBlankAfterTheColonIsDropped) {
    TempProgramDir dir;
    RecordingMessages messages;
    dir.Write("sps/prog.cfg", "CaveEdit: 1\r\n");
    EXPECT_EQ(ReadSetting("caveedit", "0", messages), "1");
    // Without the blank the value's first character is dropped: here all of it.
    dir.Write("sps/prog.cfg", "caveedit:1\r\n");
    EXPECT_EQ(ReadConfigValue("sps/prog.cfg", "caveedit", messages), "");
    EXPECT_EQ(ReadSetting("caveedit", "0", messages), "0");
    dir.Write("sps/prog.cfg", "PER Name: Anna Muster <anna@example.org>\n");
    EXPECT_EQ(ReadSettingRaw("per name", messages), "Anna Muster <anna@example.org>");
}

TEST(ConfigFile, TheLastOfSeveralEqualKeysCountsForReadingAndWriting) {
    TempProgramDir dir;
    RecordingMessages messages;
    dir.Write("sps/prog.cfg", "caveedit: 1\r\nnote without colon\r\nCAVEEDIT: 0\r\n");
    EXPECT_EQ(ReadSetting("caveedit", "x", messages), "0");
    WriteSetting("caveedit", "1");
    EXPECT_EQ(dir.Read("sps/prog.cfg"), "caveedit: 1\r\nnote without colon\r\ncaveedit: 1\r\n");
}

TEST(ConfigFile, ANewKeyIsAppendedAndOtherLinesKeepOrderAndText) {
    TempProgramDir dir;
    RecordingMessages messages;
    dir.Write("sps/prog.cfg", "alpha: 1\r\njust text\r\n: starts with colon\r\nbeta: 2");
    WriteSetting("PER Name", "Bob");
    EXPECT_EQ(dir.Read("sps/prog.cfg"),
              "alpha: 1\r\njust text\r\n: starts with colon\r\nbeta: 2\r\nPER Name: Bob\r\n");
    EXPECT_EQ(ReadSettingRaw("PER NAME", messages), "Bob");
}

TEST(ConfigFile, TheOldFileBesideTheProgramIsTheFallbackAndNeverWritten) {
    TempProgramDir dir;
    RecordingMessages messages;
    dir.Write("prog.cfg", "caveedit: 1\r\nPER Name: old\r\n");
    EXPECT_EQ(ReadSetting("caveedit", "0", messages), "1");
    dir.Write("sps/prog.cfg", "caveedit: \r\n");  // empty counts as missing
    EXPECT_EQ(ReadSetting("caveedit", "0", messages), "1");
    WriteSetting("PER Name", "new");
    EXPECT_EQ(dir.Read("prog.cfg"), "caveedit: 1\r\nPER Name: old\r\n");
    EXPECT_EQ(ReadSettingRaw("PER Name", messages), "new");
    EXPECT_EQ(ReadSettingRaw("unknown", messages), "");
}

TEST(ConfigFile, LinesBeyondTheLimitAreKeptButNotRead) {
    TempProgramDir dir;
    RecordingMessages messages;
    std::string text;
    for (std::size_t i = 0; i < MaxConfigLines; ++i) text += "k" + std::to_string(i) + ": v\r\n";
    text += "late: 1\r\n";
    dir.Write("sps/prog.cfg", text);
    EXPECT_EQ(ReadSetting("late", "none", messages), "none");
    EXPECT_EQ(ReadSetting("k2999", "none", messages), "v");
    WriteSetting("k0", "w");
    const std::string after = dir.Read("sps/prog.cfg");
    EXPECT_EQ(after.substr(0, 7), "k0: w\r\n");
    EXPECT_NE(after.find("late: 1\r\n"), std::string::npos);
}

TEST(ConfigFile, AFileThatCannotBeCreatedGivesAMessageAndTheDefault) {
    TempProgramDir dir;
    RecordingMessages messages;
    // "sps" is a plain file, so nothing can be created below it.
    dir.Write("sps", "not a folder");
    EXPECT_EQ(ReadSetting("caveedit", "0", messages), "0");
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown[0], "Datei sps/prog.cfg konnte nicht erzeugt werden");
}
