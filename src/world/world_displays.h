// What the world tells the displays and asks of them. The displays keep the
// score, the torpedo stock and whether the game is lost; the world objects
// only report what happened, so the world does not depend on the displays.
#pragma once

#include <cstdint>

class IWorldDisplays {
public:
    virtual ~IWorldDisplays() = default;

    // Points scored (negative for what a shot cost): added and shown at once.
    virtual void AddPoints(std::int32_t points) = 0;
    // A deadly enemy got through: the game is lost.
    virtual void Defeat() = 0;
    // A torpedo left the pipe.
    virtual void TorpedoFired() = 0;

    // The game is lost (a deadly enemy got through).
    virtual bool IsGameOver() const = 0;
    // Shots leave as torpedoes.
    virtual bool IsTorpedoMode() const = 0;
};
