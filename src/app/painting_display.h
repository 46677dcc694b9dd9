// The game screen's display as seen from a Qt program: while the game screen
// runs its own event loop, the menu window behind it must still repaint, so
// every wait for input first lets Qt handle what is not input.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "game/forwarding_display.h"
#include "infra/clock.h"

class TPaintingDisplay : public TForwardingDisplay {
public:
    // pump is called on the GUI thread at most every pumpIntervalMs of the clock.
    TPaintingDisplay(IDisplay& inner, IClock& clock, std::function<void()> pump,
                     std::uint32_t pumpIntervalMs = 30)
        : TForwardingDisplay(inner), clock_(clock), pump_(std::move(pump)), intervalMs_(pumpIntervalMs) {}

    void WaitEvents(std::vector<InputEvent>& out, std::uint32_t timeoutMs) override;

private:
    IClock& clock_;
    std::function<void()> pump_;
    std::uint32_t intervalMs_;
    std::uint32_t lastPump_ = 0;
    bool pumped_ = false;
};
