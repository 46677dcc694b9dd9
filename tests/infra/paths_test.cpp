// Case-insensitive path resolution on a real folder tree, and the choice of
// folders for a build folder and an installed program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>

#include "infra/config_file.h"
#include "infra/env_data.h"
#include "infra/errors.h"
#include "infra/game_data.h"
#include "infra/log.h"
#include "infra/paths.h"
#include "support/temp_program_dir.h"

TEST(Paths, ExistingNamesMatchWithoutRegardToCase) {
    TempProgramDir dir;
    dir.Write("sps/log.txt", "x");
    dir.Write("GFX/SB/back.bmp", "b");
    EXPECT_EQ(ResolvePath("SPS/LOG.TXT"), (dir / "sps/log.txt").string());
    EXPECT_EQ(ResolvePath("sps\\Log.Txt"), (dir / "sps/log.txt").string());
    EXPECT_EQ(ResolvePath("gfx/sb/BACK.BMP"), (dir / "GFX/SB/back.bmp").string());
    EXPECT_TRUE(FileExists("Sps/LOG.txt"));
    EXPECT_FALSE(FileExists("sps"));  // a folder is not a file
}

TEST(Paths, MissingPartsKeepTheirSpelling) {
    TempProgramDir dir;
    dir.Write("sps/a.txt", "");
    EXPECT_EQ(ResolvePath("SPS/New.Dat"), (dir / "sps/New.Dat").string());
    EXPECT_EQ(ResolvePath("Screenshots/Shot_1.jpg"), (dir / "Screenshots/Shot_1.jpg").string());
    EnsureDir("Screenshots/Deep/Er");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Screenshots/Deep/Er"));
}

TEST(Paths, EnsureSpsDirReusesAnUpperCaseFolder) {
    TempProgramDir dir;
    std::filesystem::create_directory(dir / "SPS");
    EnsureSpsDir();
    WriteLog("hello");
    EXPECT_FALSE(std::filesystem::exists(dir / "sps"));
    EXPECT_EQ(dir.Read("SPS/LOG.TXT"), "hello\r\n");
}

TEST(Paths, ExactSpellingWinsWhenBothExist) {
    TempProgramDir dir;
    dir.Write("sps/x", "lower");
    dir.Write("SPS/x", "upper");
    EXPECT_EQ(ResolvePath("SPS/x"), (dir / "SPS/x").string());
    // Otherwise the first in byte order, so the choice never changes between runs.
    EXPECT_EQ(ResolvePath("Sps/x"), (dir / "SPS/x").string());
}

TEST(Paths, AProgramDirectoryOfAnyLengthWorks) {
    TempProgramDir base;
    std::string deep = base.path().string();
    for (int i = 0; i < 12; ++i) deep += "/a_rather_long_folder_name_" + std::to_string(i);
    std::filesystem::create_directories(deep);
    SetProgramDir(deep);
    EXPECT_EQ(GetProgramDir(), deep);
    EnterProgramDir();
    EXPECT_EQ(std::filesystem::current_path().string(), deep);
    WriteLog("OK");
    EXPECT_TRUE(LogEndsWithOK());
    EXPECT_TRUE(std::filesystem::exists(deep + "/sps/LOG.TXT"));
}

TEST(Paths, EnteringAMissingProgramDirectoryRaises) {
    TempProgramDir dir;
    SetProgramDir((dir / "gone").string());
    EXPECT_THROW(EnterProgramDir(), EInOutError);
}

namespace {

// An environment of the test's choosing.
TGetEnv Environment(std::map<std::string, std::string> values) {
    return [values = std::move(values)](const char* name) -> const char* {
        const auto it = values.find(name);
        return it == values.end() ? nullptr : it->second.c_str();
    };
}

}  // namespace

TEST(ProgramFolders, ABuildFolderKeepsEverythingBesideTheProgramAnInstalledOneSplits) {
    TempProgramDir root;
    const std::string r = root.path().string();
    const auto env = Environment({{"HOME", "/home/anna"}, {"XDG_DATA_HOME", r + "/data"}});

    root.Write("build/SPS/front.dat", "");
    EXPECT_EQ(ChooseProgramFolders(r + "/build/", env),
              (TProgramFolders{r + "/build", r + "/build", r + "/build"}));

    // Neither an sps of its own nor installed data (a test program): stays beside itself.
    std::filesystem::create_directories(root / "usr/bin");
    EXPECT_EQ(ChooseProgramFolders(r + "/usr/bin", env),
              (TProgramFolders{r + "/usr/bin", r + "/usr/bin", r + "/usr/bin"}));

    std::filesystem::create_directories(root / "usr/share/vantorel/sps");
    EXPECT_EQ(
        ChooseProgramFolders(r + "/usr/bin", env),
        (TProgramFolders{r + "/usr/share/vantorel", r + "/data/vantorel", "/home/anna/.cache/vantorel"}));
    // Relative XDG folders do not count.
    EXPECT_EQ(ChooseProgramFolders(
                  r + "/usr/bin",
                  Environment({{"HOME", "/h"}, {"XDG_DATA_HOME", "rel"}, {"XDG_CACHE_HOME", "/c"}})),
              (TProgramFolders{r + "/usr/share/vantorel", "/h/.local/share/vantorel", "/c/vantorel"}));
}

TEST(ProgramFolders, AFirstStartGetsTheInstalledLevelAndCaveButKeepsThePlayersOwn) {
    TempProgramDir data, player, cache;
    data.Write("sps/Level1.txt", "level");
    data.Write("sps/front.dat", "cave");
    player.Write("SPS/FRONT.DAT", "my cave");
    std::filesystem::permissions(data / "sps/Level1.txt", std::filesystem::perms::owner_read);
    const TProgramFolders folders{data.path().string(), (player / "new").string(), (cache / "c").string()};
    SeedPlayerFolder(folders);
    EXPECT_EQ(player.Read("new/sps/Level1.txt"), "level");
    EXPECT_TRUE(std::filesystem::is_directory(cache / "c"));
    // The copy is the player's to change.
    EXPECT_NE(std::filesystem::status(player / "new/sps/Level1.txt").permissions() &
                  std::filesystem::perms::owner_write,
              std::filesystem::perms::none);

    SeedPlayerFolder({data.path().string(), player.path().string(), cache.path().string()});
    EXPECT_EQ(player.Read("SPS/FRONT.DAT"), "my cave");
    EXPECT_FALSE(player.Exists("sps"));  // the player's SPS is the one folder
    EXPECT_EQ(player.Read("SPS/Level1.txt"), "level");
}

TEST(ProgramFolders, ThePlayersFilesAreWrittenToTheirFolderAndTheDataIsOnlyRead) {
    TempProgramDir data, player, cache;
    data.Write("gfx/sb/Bubble.bmp", "b");
    data.Write("snd/back.mp3", "m");
    data.Write("snd/Bubble.wav", "w");
    cache.Write("snd/back.wav", "converted");
    SetProgramFolders({data.path().string(), player.path().string(), cache.path().string()});

    EXPECT_EQ(ResolvePath("GFX/SB/bubble.bmp"), (data / "gfx/sb/Bubble.bmp").string());
    EXPECT_EQ(ResolvePath("snd"), (data / "snd").string());
    EXPECT_EQ(ResolvePath("SND/BACK.wav"), (cache / "snd/back.wav").string());
    EXPECT_EQ(ResolvePath("snd/bubble.WAV"), (data / "snd/Bubble.wav").string());
    EXPECT_EQ(ResolvePath("Screenshots/Shot_1.jpg"), (player / "Screenshots/Shot_1.jpg").string());

    const auto before = std::filesystem::last_write_time(data.path());
    EnterProgramDir();
    EnsureSpsDir();
    SaveEnv();
    SaveGameData("SPS/game.dat");
    WriteSetting("caveedit", "1");
    WriteLog("OK");
    EXPECT_EQ(std::filesystem::current_path(), player.path());
    for (const char* file : {"sps/env.dat", "sps/game.dat", "sps/prog.cfg", "sps/LOG.TXT"})
        EXPECT_TRUE(player.Exists(file)) << file;
    EXPECT_FALSE(data.Exists("sps"));
    EXPECT_EQ(std::filesystem::last_write_time(data.path()), before);
}
