// The game screen's display on SDL2: a window or full screen, the picture
// fitted into the window's real size, the mouse mapped back to game pixels.
#pragma once

#include <SDL.h>

#include <atomic>
#include <memory>

#include "game/display.h"
#include "platform/sdl_pads.h"
#include "platform/sdl_presenter.h"

class SdlDisplay : public IDisplay {
public:
    // Starts SDL's video (the driver named by SDL_VIDEODRIVER, if any);
    // raises std::runtime_error when that fails.
    SdlDisplay();
    ~SdlDisplay() override;
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    TDisplayModeInfo DesktopMode() override;
    TDisplayModeInfo Open(int mode, std::int32_t width, std::int32_t height) override;
    void Close() override;
    void Present(const TSurface& surface) override;
    void SetCursorVisible(bool visible) override;
    void CursorPos(std::int32_t& x, std::int32_t& y) override;
    void ClientOrigin(std::int32_t& x, std::int32_t& y) override;
    void WaitEvents(std::vector<InputEvent>& out, std::uint32_t timeoutMs) override;
    void Wake() override;
    bool TakeContentsLost() override;
    void Beep() override;
    void SetNameEntry(bool active) override;

    SDL_Window* Window() const { return window_; }
    // How the frames reach the window; nullptr while closed.
    const TSdlPresenter* Presenter() const { return presenter_.get(); }
    // Fills an output that holds the picture at least twice with a filtered
    // picture instead of the sharp whole-number scale. From the next Open.
    void SetSmoothScaling(bool smooth) { smooth_ = smooth; }
    // A window position (mouse events, the cursor) to picture pixels.
    void WindowToPicture(std::int32_t& x, std::int32_t& y) const;

private:
    void HandleEvent(const SDL_Event& event, std::vector<InputEvent>& out);
    SDL_Window* CreateScreenWindow(int mode, TDisplayModeInfo& info);

    SDL_Window* window_ = nullptr;
    std::unique_ptr<TSdlPresenter> presenter_;
    std::unique_ptr<TSdlPads> pads_;
    bool smooth_ = false;
    Uint32 wakeEvent_ = 0;
    std::atomic<bool> wakePending_{false};
    bool contentsLost_ = false;
};

// The SDL pixel format that matches a surface format (0 when none does).
Uint32 SdlFormatOf(const TPixelFormat& format);
