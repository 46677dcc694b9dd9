// Defaults, loading and saving of Env.
#include "env_data.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "clock.h"
#include "file_io.h"
#include "paths.h"
#include "random.h"
#include "scrambler.h"

TEnvData Env{};

namespace {
constexpr const char* EnvFile = "SPS/env.dat";
}

void SetEnvDefaults() {
    Env.Unused0 = 0;
    Env.Unused1 = 1;
    Env.SoundMode = 1;
    Env.SoundOn = 1;
    Env.Unused4 = 0;
    Env.Unused6 = 2;
    Env.StatusLine = 0;
    Env.Autostart = 1;
    Env.Unused10 = 0;
    Env.MusicOn = 1;
    Env.MusicVolume = 100;
    Env.SoundVolume = 100;
    Env.GraphicSet = 0;
    Env.DisplayMode = 0;
    Env.Transparency = 1;
    for (auto& entry : Env.Highscores) {
        entry.Name.reset();
        entry.Score = EmptyHighscore;
    }
    Env.LastHighscoreName.reset();
    Env.PlayerID.reset();
    Env.Unused368 = 0;
    Env.PublishName.reset();
    Env.City.reset();
    Env.Country.reset("Schweiz");
    Env.Email.reset();
    Env.Age = 0;
    Env.Sex = ' ';
    Env.Comment.reset();
    Env.GamesStarted = 0;
    Env.GamesWon = 0;
    Env.FrontOn = 1;
    Env.BubblesPercent = 70;
    for (auto& text : Env.StatTexts) text.reset();
    // A fresh record brings fresh chance, whatever clock a caller runs on.
    Randomize(SystemClock());
    FillerSeed = RandSeed;
}

void LoadEnv() {
    SetEnvDefaults();
    const std::string path = ResolvePath(EnvFile);
    auto data = ReadWholeFile(path);
    if (!data) return;
    // The size counts modulo 65536, as the record reader always did.
    data->resize(data->size() % 65536);
    if (data->size() > PlainEnvMaxSize) *data = UnscrambleText(*data);
    // A short file fills what it has; the rest keeps the defaults.
    std::memcpy(&Env, data->data(), std::min(data->size(), EnvDataSize));
}

void SaveEnv() {
    std::string plain(EnvDataSize, '\0');
    std::memcpy(plain.data(), &Env, EnvDataSize);
    const std::string scrambled = ScrambleText(plain);
    EnterProgramDir();
    EnsureSpsDir();
    WriteFileAtomically(ResolvePath(EnvFile), scrambled);
}

const char* GraphicSetFolder() {
    return Env.GraphicSet == 1 ? "fb" : "sb";
}
