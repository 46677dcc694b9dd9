// The game screen's input fields and the game flags, shared by the game
// states, the world objects and the displays. One game screen exists at a
// time, so they are globals; the game screen's fields of the same names
// refer to them, and tests set them directly.
#pragma once

#include <cstdint>

struct TGameScreenFields {
    std::int32_t MouseX = -1;  // cursor of the current frame
    std::int32_t MouseY = -1;
    std::int32_t PendingShots = 0;  // clicks during play not yet fired by the pipe
    bool Clicked = false;           // a click or Enter arrived while not playing
    std::uint32_t StartTick = 0;    // millisecond tick when play began
};
extern TGameScreenFields GameScreenFields;

// A game is in play: clicks fire shots, the clock runs.
extern bool Playing;
// The game ended lost / won and its end sequence is over.
extern bool GameLost;
extern bool GameWon;

// Back to the values of a fresh game screen (tests, and each new screen).
void ResetGameLink();
