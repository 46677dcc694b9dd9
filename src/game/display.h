// What the game screen needs of the real display: a screen in one of three
// modes, presenting a finished frame, the cursor, input events and a notice
// that the screen's contents were lost.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/dd_types.h"
#include "engine/surface.h"
#include "game/input_events.h"

struct TDisplayModeInfo {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    TPixelFormat Format{};
};

class IDisplay {
public:
    virtual ~IDisplay() = default;

    // The desktop's size and pixel format.
    virtual TDisplayModeInfo DesktopMode() = 0;
    // Opens the screen. Mode 0: exclusive full screen at width x height with
    // RGB565; mode 1: full screen at the desktop's size and format; mode 2: a
    // bordered window whose client area is width x height (desktop format).
    // Returns the size and format the screen surfaces must have; raises
    // std::runtime_error when the screen cannot be opened.
    virtual TDisplayModeInfo Open(int mode, std::int32_t width, std::int32_t height) = 0;
    virtual void Close() = 0;

    // Shows the surface's pixels (the whole screen) and waits for the
    // vertical blank where the driver offers it.
    virtual void Present(const TSurface& surface) = 0;
    virtual void SetCursorVisible(bool visible) = 0;
    // The cursor in screen coordinates, and the client area's top-left.
    virtual void CursorPos(std::int32_t& x, std::int32_t& y) = 0;
    virtual void ClientOrigin(std::int32_t& x, std::int32_t& y) = 0;

    // GUI thread: waits up to timeoutMs for input and appends what came.
    virtual void WaitEvents(std::vector<InputEvent>& out, std::uint32_t timeoutMs) = 0;
    // Any thread: makes a waiting WaitEvents return now.
    virtual void Wake() = 0;
    // True once after the screen's contents were lost (a device reset).
    virtual bool TakeContentsLost() = 0;
    // The system beep.
    virtual void Beep() = 0;
    // The game screen waits for a typed name (true) or not (false); a display
    // with a gamepad then lets its D-pad pick letters instead of steering.
    virtual void SetNameEntry(bool active) = 0;
};
