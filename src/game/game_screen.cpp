// The game screen's start, the world of a level and the shared click.
#include "game/game_screen.h"

#include <functional>
#include <stdexcept>

#include "engine/ani_sounds.h"
#include "engine/graphic_objects.h"
#include "engine/screen.h"
#include "game/game_sounds.h"
#include "hud/displays.h"
#include "infra/env_data.h"
#include "infra/file_io.h"
#include "infra/log.h"
#include "infra/paths.h"
#include "infra/resources.h"
#include "sound/kb_dsound.h"
#include "sound/sound_levels.h"
#include "world/bubble_points.h"
#include "world/bubbles.h"
#include "world/cave_front.h"
#include "world/pipe.h"
#include "world/shots.h"
#include "world/swarm.h"

namespace {

// Pool sizes of one game.
constexpr int SwarmSize = 50;
constexpr int BubbleCount = 300;
constexpr int BubblePointCount = 100;
constexpr int ShotCount = 100;

std::string DefinitionsFromResources() {
    const auto text = Resources().Find("TEXT", "SBMEMO");
    if (!text) throw std::runtime_error("Resource SBMEMO nicht gefunden");
    return std::string(reinterpret_cast<const char*>(text->data()), text->size());
}

}  // namespace

TDDFullScreenForm1::TDDFullScreenForm1(IDisplay& display,
                                       std::function<std::unique_ptr<IAudioOutput>()> makeAudioOutput,
                                       std::string definitions)
    : TDDFullScreenForm(display, std::move(makeAudioOutput)), definitions_(std::move(definitions)) {
    FormCreate();
}

TDDFullScreenForm1::~TDDFullScreenForm1() {
    // The world's bobs live in the sprite list, so the world goes first.
    if (levelLoaded_) CloseLevel();
}

void TDDFullScreenForm1::FormCreate() {
    Transparency = Env.Transparency != 0;
    SoundOn = Env.SoundOn != 0;
    SoundModeFlag = Env.SoundMode == 2;
    if (Env.StatusLine != 0) StatusLineHeight = 12;
}

void TDDFullScreenForm1::InitDDraw() {
    try {
        WriteLog("InitDDraw");
        TDDFullScreenForm::InitDDraw();
        WriteLog("1");
        const std::vector<std::string> lines =
            SplitLines(definitions_.empty() ? DefinitionsFromResources() : definitions_);
        WriteLog("Lines: " + std::to_string(lines.size()));
        LoadGOs(lines);
        WriteLog("2");
        LoadSounds();
        glsproc = &TDDFullScreenForm1::glsInit;
        WriteLog("3");
        SetFlipping(true);
        WriteLog("4");
    } catch (const std::exception& e) {
        StartFailed(e);
    }
}

void TDDFullScreenForm1::LoadSounds() {
    // The sounds as they come, then the music converted from MP3: where the
    // cache is a folder of its own, its waves come second and win.
    DSound->LoadWaves(GetDataDir() + "/snd");
    if (GetCacheDir() != GetDataDir()) DSound->LoadWaves(GetCacheDir() + "/snd");
    WriteLog("2a");
    AttachAniSounds(FindAniSound);
    DSound->SetVolumeAll(VolumeToDB(static_cast<std::uint8_t>(Env.SoundVolume)));
    WriteLog("2b");
    const std::int32_t music = VolumeToDB(static_cast<std::uint8_t>(Env.MusicVolume));
    DSound->FindWave(PlayMusicName).SetVolume(music);
    WriteLog("2c");
    DSound->FindWave(TitleMusicName).SetVolume(music);
    WriteLog("2d");
    DSound->FindWave(HighscoreMusicName).SetVolume(music);
}

void TDDFullScreenForm1::FreeDDraw() {
    if (levelLoaded_) CloseLevel();
    TDDFullScreenForm::FreeDDraw();
}

void TDDFullScreenForm1::ThreadNotify(std::int32_t steps) {
    RunFramePipeline(steps, [this] { std::invoke(glsproc, this); });
}

void TDDFullScreenForm1::InitLevel() {
    WriteLog("InitLevel: Start");
    Closing = false;
    GameLost = GameWon = Playing = false;
    levelLoaded_ = true;  // from here on CloseLevel frees whatever was made
    WriteLog("1");
    Spermien = std::make_unique<TSpermien>();
    for (int i = 0; i < SwarmSize; ++i) Spermien->AddSperm();
    WriteLog("2");
    Rohre = std::make_unique<TRohre>();
    Rohre->AddRohr();
    WriteLog("3");
    Bubbles = std::make_unique<TBubbles>();
    for (int i = 0; i < BubbleCount; ++i) Bubbles->AddBubble();
    WriteLog("4");
    Bubblpoints = std::make_unique<TBubblpoints>();
    for (int i = 0; i < BubblePointCount; ++i) Bubblpoints->AddBubblepoint();
    WriteLog("5");
    Schuesse = std::make_unique<TSchuesse>();
    for (int i = 0; i < ShotCount; ++i) Schuesse->AddSchuss();
    WriteLog("6");
    Anzeige = std::make_unique<TAnzeige>();
    WriteLog("7");
    Front = std::make_unique<TFront>();
    Front->OnFull = [this] {
        Display().Beep();
        ErrorOccurred = true;
    };
    WriteLog("Initlevel: End");
}

void TDDFullScreenForm1::CloseLevel() {
    WriteLog("CloseLevel: Start");
    Playing = false;
    LevelActive = false;
    Front.reset();
    Anzeige.reset();
    Spermien.reset();
    Rohre.reset();
    Schuesse.reset();
    Bubbles.reset();
    Bubblpoints.reset();
    levelLoaded_ = false;
    WriteLog("CloseLevel: End");
}

void TDDFullScreenForm1::EndWithoutWaiting() {
    endWithoutWaiting_ = true;
    Paused = false;
    if (!Closing) Close();
}

void TDDFullScreenForm1::Click() {
    if (Playing) {
        ++PendingShots;
        if (HelpShown) {
            HelpShown = false;
            if (Anzeige) Anzeige->HelpField->Clear();
        }
    } else {
        Clicked = true;
    }
}
