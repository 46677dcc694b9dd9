// Lets the menu window repaint between the game screen's waits for input.
#include "app/painting_display.h"

void TPaintingDisplay::WaitEvents(std::vector<InputEvent>& out, std::uint32_t timeoutMs) {
    const std::uint32_t now = clock_.TickCount();
    if (pump_ && (!pumped_ || now - lastPump_ >= intervalMs_)) {
        pumped_ = true;
        lastPump_ = now;
        pump_();
    }
    Inner().WaitEvents(out, timeoutMs);
}
