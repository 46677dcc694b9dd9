// GameData: the header check, defaults and saving; folders where the
// player's files should be.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "infra/config_file.h"
#include "infra/env_data.h"
#include "infra/errors.h"
#include "infra/file_io.h"
#include "infra/game_data.h"
#include "support/recording_messages.h"
#include "support/temp_program_dir.h"

TEST(GameData, MissingOrForeignFilesGiveTheDefaultsSilently) {
    TempProgramDir dir;
    RecordingMessages messages;
    GameData.LevelNumber = 9;
    LoadGameData("SPS/game.dat", messages);
    EXPECT_EQ(GameData.LevelNumber, 1);
    EXPECT_EQ(GameData.PlayerName.str(), "Spieler1");
    for (const std::string& bytes : {std::string(), std::string(116, '\0'),
                                     std::string("\x12Game Datafile v1.0") + std::string(100, 'x')}) {
        dir.Write("sps/game.dat", bytes);
        GameData.LevelNumber = 9;
        LoadGameData("SPS/game.dat", messages);
        EXPECT_EQ(GameData.LevelNumber, 1);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(GameData, SaveAndLoadRoundTripWithTheHeader) {
    TempProgramDir dir;
    RecordingMessages messages;
    SetGameDataDefaults();
    GameData.LevelNumber = 513;
    GameData.Unused112 = -3;
    SaveGameData("SPS/game.dat");
    const std::string file = dir.Read("sps/game.dat");
    ASSERT_EQ(file.size(), 116u);
    EXPECT_EQ(file.substr(0, 19), "\x12Game Datafile v2.0");
    EXPECT_EQ(static_cast<unsigned char>(file[42]), 1);
    EXPECT_EQ(static_cast<unsigned char>(file[43]), 2);
    GameData.LevelNumber = 0;
    LoadGameData("SPS/game.dat", messages);
    EXPECT_EQ(GameData.LevelNumber, 513);
    EXPECT_EQ(GameData.Unused112, -3);
}

TEST(GameData, AShortFileWithTheHeaderIsReportedAndGivesDefaults) {
    TempProgramDir dir;
    RecordingMessages messages;
    dir.Write("sps/game.dat", std::string("\x12Game Datafile v2.0") + std::string(30, '\x05'));
    LoadGameData("SPS/game.dat", messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              "Spielstandfile und Spielstandvariable haben unterschiedliche Gr\xF6\xDF"
              "en!");
    EXPECT_EQ(GameData.LevelNumber, 1);
}

TEST(PlayerFiles, AFolderInTheirPlaceLoadsTheDefaultsAndFailsToSave) {
    TempProgramDir dir;
    RecordingMessages messages;
    for (const char* name : {"sps/env.dat", "sps/game.dat", "sps/prog.cfg"})
        std::filesystem::create_directories(dir / name);
    EXPECT_FALSE(ReadWholeFile((dir / "sps/game.dat").string()).has_value());
    Env.GamesWon = 5;
    LoadEnv();
    EXPECT_EQ(Env.GamesWon, 0);
    GameData.LevelNumber = 9;
    LoadGameData("SPS/game.dat", messages);
    EXPECT_EQ(GameData.LevelNumber, 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ReadSetting("caveedit", "0", messages), "0");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Datei sps/prog.cfg konnte nicht erzeugt werden"});
    EXPECT_THROW(SaveGameData("SPS/game.dat"), EInOutError);
    EXPECT_THROW(SaveEnv(), EInOutError);
    EXPECT_THROW(WriteSetting("caveedit", "1"), EInOutError);
}
