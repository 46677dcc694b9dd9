// Case-insensitive path resolution on a real folder tree.
#include <gtest/gtest.h>
#include <unistd.h>

#include "infra/errors.h"
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
