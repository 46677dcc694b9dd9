// The game screen's display as seen from a Qt program: while the game screen
// runs its own event loop, the menu window behind it must still repaint, so
// every wait for input first lets Qt handle what is not input.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "game/display.h"
#include "infra/clock.h"

class TPaintingDisplay : public IDisplay {
public:
    // pump is called on the GUI thread at most every pumpIntervalMs of the clock.
    TPaintingDisplay(IDisplay& inner, IClock& clock, std::function<void()> pump,
                     std::uint32_t pumpIntervalMs = 30)
        : inner_(inner), clock_(clock), pump_(std::move(pump)), intervalMs_(pumpIntervalMs) {}

    TDisplayModeInfo DesktopMode() override { return inner_.DesktopMode(); }
    TDisplayModeInfo Open(int mode, std::int32_t width, std::int32_t height) override {
        return inner_.Open(mode, width, height);
    }
    void Close() override { inner_.Close(); }
    void Present(const TSurface& surface) override { inner_.Present(surface); }
    void SetCursorVisible(bool visible) override { inner_.SetCursorVisible(visible); }
    void CursorPos(std::int32_t& x, std::int32_t& y) override { inner_.CursorPos(x, y); }
    void ClientOrigin(std::int32_t& x, std::int32_t& y) override { inner_.ClientOrigin(x, y); }
    void WaitEvents(std::vector<InputEvent>& out, std::uint32_t timeoutMs) override;
    void Wake() override { inner_.Wake(); }
    bool TakeContentsLost() override { return inner_.TakeContentsLost(); }
    void Beep() override { inner_.Beep(); }
    void SetNameEntry(bool active) override { inner_.SetNameEntry(active); }

private:
    IDisplay& inner_;
    IClock& clock_;
    std::function<void()> pump_;
    std::uint32_t intervalMs_;
    std::uint32_t lastPump_ = 0;
    bool pumped_ = false;
};
