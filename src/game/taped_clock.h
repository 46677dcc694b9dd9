// The clock the game itself reads (the start of play, the pause key, the
// seconds played): each reading goes past the replay tape, which records it
// or, playing a replay, hands back the recorded one.
#pragma once

#include "game/game_tape.h"
#include "infra/clock.h"

class TTapedClock : public IClock {
public:
    // tape is the game screen's field, read at every reading.
    TTapedClock(IClock& clock, IGameTape* const& tape) : clock_(clock), tape_(tape) {}
    std::uint32_t TickCount() override {
        std::uint32_t ms = clock_.TickCount();
        if (tape_) tape_->Clock(ms);
        return ms;
    }
    void Sleep(std::uint32_t ms) override { clock_.Sleep(ms); }

private:
    IClock& clock_;
    IGameTape* const& tape_;
};
