// A display that hands every call on to another one: the base of displays
// that add something to a real one (letting the menu repaint, a test's hand
// on the gamepad) and override only that.
#pragma once

#include "game/display.h"

class TForwardingDisplay : public IDisplay {
public:
    explicit TForwardingDisplay(IDisplay& inner) : inner_(inner) {}

    TDisplayModeInfo DesktopMode() override { return inner_.DesktopMode(); }
    TDisplayModeInfo Open(int mode, std::int32_t width, std::int32_t height) override {
        return inner_.Open(mode, width, height);
    }
    void Close() override { inner_.Close(); }
    void Present(const TSurface& surface) override { inner_.Present(surface); }
    void SetCursorVisible(bool visible) override { inner_.SetCursorVisible(visible); }
    void CursorPos(std::int32_t& x, std::int32_t& y) override { inner_.CursorPos(x, y); }
    void ClientOrigin(std::int32_t& x, std::int32_t& y) override { inner_.ClientOrigin(x, y); }
    void WaitEvents(std::vector<InputEvent>& out, std::uint32_t timeoutMs) override {
        inner_.WaitEvents(out, timeoutMs);
    }
    void Wake() override { inner_.Wake(); }
    bool TakeContentsLost() override { return inner_.TakeContentsLost(); }
    void Beep() override { inner_.Beep(); }
    void SetNameEntry(bool active) override { inner_.SetNameEntry(active); }

protected:
    IDisplay& Inner() { return inner_; }

private:
    IDisplay& inner_;
};
