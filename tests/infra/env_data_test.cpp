// Env: defaults, the scrambled file, damaged files and crash-safe saving.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>

#include "infra/env_data.h"
#include "infra/errors.h"
#include "infra/random.h"
#include "infra/scrambler.h"
#include "support/temp_program_dir.h"

namespace {

std::string EnvBytes() {
    std::string bytes(EnvDataSize, '\0');
    std::memcpy(bytes.data(), &Env, EnvDataSize);
    return bytes;
}

std::string RandomBytes(std::size_t n, std::uint32_t seed) {
    RandSeed = seed;
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(RandInt(256));
    return s;
}

}  // namespace

TEST(EnvData, DefaultsMatchTheRecordDescription) {
    std::memset(&Env, 0xAB, sizeof Env);
    SetEnvDefaults();
    EXPECT_EQ(Env.Unused1, 1);
    EXPECT_EQ(Env.SoundMode, 1);
    EXPECT_EQ(Env.SoundOn, 1);
    EXPECT_EQ(Env.Unused6, 2);
    EXPECT_EQ(Env.StatusLine, 0);
    EXPECT_EQ(Env.Autostart, 1);
    EXPECT_EQ(Env.MusicOn, 1);
    EXPECT_EQ(Env.MusicVolume, 100);
    EXPECT_EQ(Env.SoundVolume, 100);
    EXPECT_EQ(Env.GraphicSet, 0);
    EXPECT_EQ(Env.DisplayMode, 0);
    EXPECT_EQ(Env.Transparency, 1);
    for (const auto& e : Env.Highscores) {
        EXPECT_EQ(e.Name.str(), "");
        EXPECT_EQ(e.Score, EmptyHighscore);
    }
    EXPECT_EQ(Env.Country.str(), "Schweiz");
    EXPECT_EQ(Env.Sex, ' ');
    EXPECT_EQ(Env.FrontOn, 1);
    EXPECT_EQ(Env.BubblesPercent, 70);
    EXPECT_EQ(Env.StatTexts[9].str(), "");
    // Padding is not a field: it keeps what the memory held.
    EXPECT_EQ(Env.Pad5, 0xAB);
}

TEST(EnvData, SaveGives9552BytesAndLoadRestoresAll1592) {
    TempProgramDir dir;
    for (std::uint32_t seed : {1u, 2u, 77u}) {
        const std::string stored = RandomBytes(EnvDataSize, seed);
        std::memcpy(&Env, stored.data(), EnvDataSize);
        SaveEnv();
        const std::string file = dir.Read("sps/env.dat");
        EXPECT_EQ(file.size(), ScrambledEnvSize);
        std::memset(&Env, 0, sizeof Env);
        LoadEnv();
        EXPECT_EQ(EnvBytes(), stored) << "seed " << seed;
    }
}

TEST(EnvData, AFileOfAtMost4776BytesModulo65536IsThePlainRecord) {
    TempProgramDir dir;
    SetEnvDefaults();
    Env.GamesWon = 42;
    Env.LastHighscoreName.assign("Plain");
    const std::string record = EnvBytes();
    // The size counts modulo 65536: 65536 + N bytes with N <= 4776 are plain too.
    for (const std::size_t size :
         {std::size_t{PlainEnvMaxSize}, 65536 + std::size_t{2000}, 65536 + PlainEnvMaxSize}) {
        std::string plain = record;
        plain.resize(size, 'x');
        dir.Write("sps/env.dat", plain);
        SetEnvDefaults();
        LoadEnv();
        EXPECT_EQ(Env.GamesWon, 42) << size;
        EXPECT_EQ(Env.LastHighscoreName.str(), "Plain") << size;
    }
}

TEST(EnvData, AShortFileKeepsTheDefaultsForItsMissingBytes) {
    TempProgramDir dir;
    SetEnvDefaults();
    const std::string defaults = EnvBytes();
    std::string changed = defaults;
    changed[3] = 0;  // SoundOn
    std::fill(changed.begin() + 900, changed.end(), '\x55');
    // Scrambled (5400 bytes) but only 900 bytes once unscrambled.
    dir.Write("sps/env.dat", ScrambleText(changed.substr(0, 900)));
    LoadEnv();
    EXPECT_EQ(Env.SoundOn, 0);
    EXPECT_EQ(EnvBytes().substr(900), defaults.substr(900));
    // The same for the plain form.
    dir.Write("sps/env.dat", changed.substr(0, 100));
    LoadEnv();
    EXPECT_EQ(Env.SoundOn, 0);
    EXPECT_EQ(EnvBytes().substr(100), defaults.substr(100));
}

TEST(EnvData, DamagedFilesLoadWithoutHarm) {
    TempProgramDir dir;
    const std::string files[] = {"",
                                 std::string(1, '\0'),
                                 std::string(9552, '\0'),
                                 std::string(70000, 'Z'),
                                 RandomBytes(9552, 5),
                                 RandomBytes(4776, 6),
                                 RandomBytes(123, 7)};
    for (const auto& bytes : files) {
        dir.Write("sps/env.dat", bytes);
        LoadEnv();
        // Lengths beyond their slots read as the full slot, never further.
        EXPECT_LE(Env.LastHighscoreName.str().size(), 20u);
        EXPECT_LE(Env.StatTexts[9].str().size(), 100u);
    }
    const std::string zeros(EnvDataSize, '\0');
    dir.Write("sps/env.dat", zeros);
    LoadEnv();
    EXPECT_EQ(EnvBytes(), zeros);
}

TEST(EnvData, AFailedSaveKeepsTheOldFileWhole) {
    TempProgramDir dir;
    SetEnvDefaults();
    Env.GamesStarted = 7;
    SaveEnv();
    const std::string before = dir.Read("sps/env.dat");

    Env.GamesStarted = 8;
    // A full disk: the file size limit stops the write part-way.
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(SaveEnv(), EInOutError);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(dir.Read("sps/env.dat"), before);
    EXPECT_FALSE(dir.Exists("sps/env.dat.tmp"));

    // A temporary file that cannot be created (works even for root).
    std::filesystem::create_directory(dir / "sps/env.dat.tmp");
    EXPECT_THROW(SaveEnv(), EInOutError);
    EXPECT_EQ(dir.Read("sps/env.dat"), before);
    std::filesystem::remove(dir / "sps/env.dat.tmp");

    LoadEnv();
    EXPECT_EQ(Env.GamesStarted, 7);
}

TEST(EnvData, GraphicSetOutsideTheTableFallsBackToTheFirstFolder) {
    Env.GraphicSet = 1;
    EXPECT_STREQ(GraphicSetFolder(), "fb");
    Env.GraphicSet = 0;
    EXPECT_STREQ(GraphicSetFolder(), "sb");
    Env.GraphicSet = 9;
    EXPECT_STREQ(GraphicSetFolder(), "sb");
}
