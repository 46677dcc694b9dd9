// The game screen's display on SDL2: a window or full screen, presented
// through a streaming texture.
#pragma once

#include <SDL.h>

#include <atomic>

#include "game/display.h"

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

    SDL_Window* Window() const { return window_; }

private:
    void HandleEvent(const SDL_Event& event, std::vector<InputEvent>& out);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    // With SDL's software renderer, RGB565 frames are widened here into a
    // 32-bit texture: SDL's own conversion is several times slower.
    bool widen565_ = false;
    Uint32 wakeEvent_ = 0;
    std::atomic<bool> wakePending_{false};
    bool contentsLost_ = false;
};

// The SDL pixel format that matches a surface format (0 when none does).
Uint32 SdlFormatOf(const TPixelFormat& format);
