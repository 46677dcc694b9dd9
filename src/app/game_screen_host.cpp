// The game screen on SDL, driven from the menu window.
#include "app/game_screen_host.h"

#include <QCoreApplication>

#include "app/painting_display.h"
#include "game/game_screen.h"
#include "infra/config_file.h"
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

void TGameScreenHost::Run(std::optional<int> displayMode, const std::string& definitions) {
    if (!display_) display_ = std::make_unique<SdlDisplay>();
    // "smoothscaling: 1" in prog.cfg fills a large screen with a filtered
    // picture instead of the sharp whole-number scale.
    display_->SetSmoothScaling(SwitchSettingOn("smoothscaling", *outside_.Messages));
    TPaintingDisplay display(*display_, *outside_.Clock,
                             [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    TDDFullScreenForm1 form(
        display, [] { return std::make_unique<SdlAudioOutput>(); }, outside_, definitions);
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
