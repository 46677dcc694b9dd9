// What a replay sees of a visit to the game screen: the input events the
// handlers get, the frames with their steps, the mouse and clock readings of
// the game, its state every 50 steps and the result of every game. The
// recorder writes them down; a player hands back what it recorded.
#pragma once

#include <cstdint>

#include "game/input_events.h"
#include "world/game_stats.h"

// A check line every this many steps.
constexpr std::uint64_t ReplayCheckInterval = 50;

// How a game ended.
enum class TGameOutcome { Won, Lost, Left };

struct TReplayGame {
    std::int32_t Score = 0;
    TGameOutcome Outcome = TGameOutcome::Left;
    TGameStats Stats{};
    bool operator==(const TReplayGame&) const = default;
};

class IGameTape {
public:
    virtual ~IGameTape() = default;

    // True when the tape plays a replay: the game then saves nothing.
    virtual bool Playing() const = 0;
    // A frame whose steps are about to run.
    virtual void Frame(std::int32_t steps) = 0;
    // An input event on its way to the handlers.
    virtual void Event(const InputEvent& event) = 0;
    // The program was asked to end at once (EndWithoutWaiting).
    virtual void Quit() = 0;
    // The game reads the mouse: x and y hold the display's position, and a
    // player puts the recorded one in their place.
    virtual void Mouse(std::int32_t& x, std::int32_t& y) = 0;
    // The game reads the clock: ms holds the clock's tick, and a player puts
    // the recorded one in its place.
    virtual void Clock(std::uint32_t& ms) = 0;
    // The game's state after that many steps.
    virtual void Check(std::uint64_t step, std::uint32_t sum) = 0;
    // A game ended after that many steps.
    virtual void GameEnded(std::uint64_t step, const TReplayGame& game) = 0;
    // The game screen has closed after that many steps, in that state.
    virtual void Closed(std::uint64_t steps, std::uint32_t sum) = 0;
};
