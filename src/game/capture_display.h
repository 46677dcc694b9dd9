// A display without a screen: frames are handed to a callback, time is a
// manual clock that moves a fixed amount per wait, and input comes from a
// timed script. Tests and the headless runner use it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "game/display.h"
#include "infra/clock.h"

class CaptureDisplay : public IDisplay {
public:
    // Each WaitEvents moves the clock on by msPerWait.
    CaptureDisplay(ManualClock& clock, std::uint32_t msPerWait = 20);

    // Scripted happenings, at milliseconds after the display was made.
    void ScheduleInput(std::uint32_t atMs, const InputEvent& event);
    void ScheduleMouse(std::uint32_t atMs, std::int32_t x, std::int32_t y);
    // The GUI thread is held up for ms (the clock jumps).
    void ScheduleStall(std::uint32_t atMs, std::uint32_t ms);
    // The screen's contents are lost; lose runs then (it may mark surfaces lost).
    void ScheduleLoss(std::uint32_t atMs, std::function<void()> lose = {});

    TDisplayModeInfo DesktopMode() override { return Desktop; }
    TDisplayModeInfo Open(int mode, std::int32_t width, std::int32_t height) override;
    void Close() override { OpenMode = -1; }
    void Present(const TSurface& surface) override;
    void SetCursorVisible(bool visible) override { CursorVisible = visible; }
    void CursorPos(std::int32_t& x, std::int32_t& y) override;
    void ClientOrigin(std::int32_t& x, std::int32_t& y) override;
    void WaitEvents(std::vector<InputEvent>& out, std::uint32_t timeoutMs) override;
    void Wake() override {}
    bool TakeContentsLost() override;
    void Beep() override { ++Beeps; }
    void SetNameEntry(bool active) override { NameEntry = active; }

    // Milliseconds since the display was made.
    std::uint32_t Elapsed() const;

    TDisplayModeInfo Desktop{1024, 768, PixelFormatXRGB8888()};
    // Where the window's client area sits on the screen in window mode.
    std::int32_t WindowX = 100, WindowY = 50;
    int OpenMode = -1;
    bool CursorVisible = true;
    int Beeps = 0;
    bool NameEntry = false;
    std::uint64_t Presented = 0;
    std::function<void(const TSurface&)> OnPresent;

private:
    struct Happening {
        std::uint32_t AtMs;
        enum Kind { Input, Mouse, Stall, Loss } What;
        InputEvent Event;
        std::uint32_t Ms = 0;
        std::function<void()> Lose;
    };
    void Add(Happening h);

    ManualClock& clock_;
    std::uint32_t msPerWait_;
    std::uint32_t start_;
    std::vector<Happening> script_;  // sorted by time, stable
    std::size_t next_ = 0;
    std::int32_t mouseX_ = 0, mouseY_ = 0;  // client coordinates
    bool contentsLost_ = false;
};
