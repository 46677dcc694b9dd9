// The settings-and-scores record Env, stored scrambled in SPS/env.dat.
#pragma once

#include <cstddef>
#include <cstdint>

#include "short_string.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "records are stored little-endian");

constexpr int HighscoreCount = 10;
constexpr std::int32_t EmptyHighscore = -100000;
constexpr std::size_t EnvDataSize = 1592;
constexpr std::size_t ScrambledEnvSize = EnvDataSize * 6;  // 9552
// Files up to this size are read as the plain, older record form.
constexpr std::size_t PlainEnvMaxSize = 4776;

#pragma pack(push, 1)
struct THighscoreEntry {
    ShortString<20> Name;  // names are cut to 10 characters when entered
    std::uint8_t Pad21[3];
    std::int32_t Score;  // EmptyHighscore marks an empty entry
};
static_assert(sizeof(THighscoreEntry) == 28);

// Byte for byte the record on disk. Booleans are bytes (any non-zero is on),
// so a damaged file can never produce an invalid C++ bool. Unnamed bytes are
// stored and written back but not read.
struct TEnvData {
    std::uint8_t Unused0;
    std::uint8_t Unused1;
    std::uint8_t SoundMode;
    std::uint8_t SoundOn;
    std::uint8_t Unused4;
    std::uint8_t Pad5;
    std::uint16_t Unused6;
    std::uint8_t StatusLine;
    std::uint8_t Autostart;
    std::uint8_t Unused10;
    std::uint8_t MusicOn;
    std::int32_t MusicVolume;
    std::int32_t SoundVolume;
    std::uint8_t GraphicSet;
    std::uint8_t Pad21[3];
    std::int32_t DisplayMode;
    std::uint8_t Transparency;
    std::uint8_t Pad29[3];
    THighscoreEntry Highscores[HighscoreCount];
    ShortString<20> LastHighscoreName;
    ShortString<34> PlayerID;  // at most 32 characters are used
    std::int32_t Unused368;
    ShortString<20> PublishName;
    ShortString<20> City;
    ShortString<20> Country;
    ShortString<40> Email;
    std::int32_t Age;
    char Sex;
    ShortString<80> Comment;
    std::uint8_t Pad562[2];
    std::int32_t GamesStarted;
    std::int32_t GamesWon;
    std::uint8_t FrontOn;
    std::uint8_t Pad573[3];
    std::int32_t BubblesPercent;
    ShortString<100> StatTexts[HighscoreCount];
    std::uint8_t Pad1590[2];
};
#pragma pack(pop)

static_assert(sizeof(TEnvData) == EnvDataSize);
static_assert(offsetof(TEnvData, SoundMode) == 2);
static_assert(offsetof(TEnvData, Unused6) == 6);
static_assert(offsetof(TEnvData, StatusLine) == 8);
static_assert(offsetof(TEnvData, MusicOn) == 11);
static_assert(offsetof(TEnvData, MusicVolume) == 12);
static_assert(offsetof(TEnvData, SoundVolume) == 16);
static_assert(offsetof(TEnvData, GraphicSet) == 20);
static_assert(offsetof(TEnvData, DisplayMode) == 24);
static_assert(offsetof(TEnvData, Transparency) == 28);
static_assert(offsetof(TEnvData, Highscores) == 32);
static_assert(offsetof(TEnvData, LastHighscoreName) == 312);
static_assert(offsetof(TEnvData, PlayerID) == 333);
static_assert(offsetof(TEnvData, Unused368) == 368);
static_assert(offsetof(TEnvData, PublishName) == 372);
static_assert(offsetof(TEnvData, City) == 393);
static_assert(offsetof(TEnvData, Country) == 414);
static_assert(offsetof(TEnvData, Email) == 435);
static_assert(offsetof(TEnvData, Age) == 476);
static_assert(offsetof(TEnvData, Sex) == 480);
static_assert(offsetof(TEnvData, Comment) == 481);
static_assert(offsetof(TEnvData, GamesStarted) == 564);
static_assert(offsetof(TEnvData, GamesWon) == 568);
static_assert(offsetof(TEnvData, FrontOn) == 572);
static_assert(offsetof(TEnvData, BubblesPercent) == 576);
static_assert(offsetof(TEnvData, StatTexts) == 580);
static_assert(offsetof(TEnvData, Pad1590) == 1590);

// The one record of the run, owned by the menu window.
extern TEnvData Env;

// Defaults for every named field; also seeds the random source from the clock.
void SetEnvDefaults();
// Defaults, then SPS/env.dat when it exists (scrambled if longer than 4776
// bytes, else plain). A short file keeps the defaults for its missing bytes.
void LoadEnv();
// Writes Env scrambled (9552 bytes) to SPS/env.dat; raises EInOutError.
void SaveEnv();

// The graphics folder name ("sb" or "fb") for Env.GraphicSet; anything but
// 0 or 1 falls back to "sb".
const char* GraphicSetFolder();
