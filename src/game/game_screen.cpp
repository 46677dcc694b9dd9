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
#include "world/cave_front.h"

namespace {

std::string DefinitionsFromResources(const IResources& resources) {
    const auto text = resources.Find("TEXT", "SBMEMO");
    if (!text) throw std::runtime_error("Resource SBMEMO nicht gefunden");
    return std::string(reinterpret_cast<const char*>(text->data()), text->size());
}

}  // namespace

TDDFullScreenForm1::TDDFullScreenForm1(IDisplay& display,
                                       std::function<std::unique_ptr<IAudioOutput>()> makeAudioOutput,
                                       const TOutsideWorld& outside, std::string definitions)
    : TDDFullScreenForm(display, std::move(makeAudioOutput), outside), definitions_(std::move(definitions)) {
    FormCreate();
}

TDDFullScreenForm1::~TDDFullScreenForm1() {
    // The world's bobs live in the sprite list, so the world goes first.
    if (LevelLoaded()) CloseLevel();
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
            SplitLines(definitions_.empty() ? DefinitionsFromResources(*Outside().Resources) : definitions_);
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
    if (LevelLoaded()) CloseLevel();
    TDDFullScreenForm::FreeDDraw();
}

void TDDFullScreenForm1::ThreadNotify(std::int32_t steps) {
    RunFramePipeline(steps, [this] { std::invoke(glsproc, this); });
    // The display hears when a name is to be typed, so that a gamepad can
    // type it; the name itself still arrives as typed characters.
    const bool nameEntry = LevelActive && World.Anzeige && World.Anzeige->HSEntryActive();
    if (nameEntry != nameEntry_) {
        nameEntry_ = nameEntry;
        Display().SetNameEntry(nameEntry);
    }
}

void TDDFullScreenForm1::InitLevel() {
    WriteLog("InitLevel: Start");
    Closing = false;
    World.GameLost = World.GameWon = World.Playing = false;
    World.Open();
    World.Front->OnFull = [this] {
        Display().Beep();
        ErrorOccurred = true;
    };
    WriteLog("Initlevel: End");
}

void TDDFullScreenForm1::CloseLevel() {
    WriteLog("CloseLevel: Start");
    World.Playing = false;
    LevelActive = false;
    World.Close();
    WriteLog("CloseLevel: End");
}

void TDDFullScreenForm1::EndWithoutWaiting() {
    endWithoutWaiting_ = true;
    Paused = false;
    if (!Closing) Close();
}

void TDDFullScreenForm1::Click() {
    if (World.Playing) {
        ++PendingShots;
        if (HelpShown) {
            HelpShown = false;
            if (World.Anzeige) World.Anzeige->HelpField->Clear();
        }
    } else {
        Clicked = true;
    }
}
