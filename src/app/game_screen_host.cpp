// The game screen on SDL, driven from the menu window.
#include "app/game_screen_host.h"

#include <QCoreApplication>

#include "app/painting_display.h"
#include "game/game_screen.h"
#include "game/replay_session.h"
#include "infra/config_file.h"
#include "infra/file_io.h"
#include "platform/sdl_audio_output.h"
#include "platform/sdl_display.h"

TGameScreenHost::TGameScreenHost(const TOutsideWorld& outside) : outside_(outside) {
    try {
        display_ = std::make_unique<SdlDisplay>();
    } catch (const std::exception&) {
        display_.reset();  // tried again when a game starts, where the error is shown
    }
}

TGameScreenHost::~TGameScreenHost() = default;

SdlDisplay& TGameScreenHost::Display() {
    if (!display_) display_ = std::make_unique<SdlDisplay>();
    // "smoothscaling: 1" in prog.cfg fills a large screen with a filtered
    // picture instead of the sharp whole-number scale.
    display_->SetSmoothScaling(SwitchSettingOn("smoothscaling", *outside_.Messages));
    return *display_;
}

void TGameScreenHost::Run(std::optional<int> displayMode, const std::string& definitions) {
    ShowScreen(displayMode, definitions, nullptr);
}

std::string TGameScreenHost::RunReplay(const std::string& path, std::optional<int> displayMode,
                                       const std::string& definitions) {
    replayResult_ = 2;
    const auto text = ReadWholeFile(path);
    if (!text) return "Cannot read the replay " + path;
    std::optional<TReplaySession> session;
    try {
        // Its log lines are not the player's: they go nowhere.
        session.emplace(*text, TReplayLimits{}, [](std::string_view) {});
    } catch (const EReplayError& e) {
        return "This file is not a replay the game can play (" + path + ", " + e.what() + ")";
    }
    if (auto difference = session->ContentDifference())
        return "This replay was recorded with other game files: " + *difference;
    ShowScreen(displayMode, definitions, &session->Player());
    const TReplayPlayer& player = session->Player();
    replayResult_ = player.Difference() ? 1 : 0;
    if (!player.Difference()) return {};
    return "The replay stopped matching this game at step " + std::to_string(player.DifferenceStep()) + ": " +
           *player.Difference();
}

void TGameScreenHost::ShowScreen(std::optional<int> displayMode, const std::string& definitions,
                                 TReplayPlayer* replay) {
    TPaintingDisplay display(Display(), *outside_.Clock,
                             [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    TDDFullScreenForm1 form(
        display, [] { return std::make_unique<SdlAudioOutput>(); }, outside_, definitions);
    if (replay) form.PlayReplay(*replay);
    if (displayMode) form.SetDisplayMode(*displayMode);
    form_ = &form;
    struct Reset {
        TGameScreenHost& host;
        ~Reset() { host.form_ = nullptr; }
    } reset{*this};
    form.ShowModal();
}

void TGameScreenHost::EndWithoutWaiting() {
    if (form_) form_->EndWithoutWaiting();
}

void TGameScreenHost::DrainEvents() {
    if (!display_ || form_) return;
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_USEREVENT - 1);
}
