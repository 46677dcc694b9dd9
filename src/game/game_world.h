// The world of one game in one object: the swarm, the pipe, the bubbles, the
// bubble points, the shots, the displays and the cave front, with the game
// flags and the game screen's input fields they share. The game screen keeps
// one for its whole life; InitLevel fills it and CloseLevel empties it, both
// through Open and Close, and the tests build their worlds the same way.
#pragma once

#include <memory>

#include "hud/displays.h"
#include "infra/clock.h"
#include "world/world.h"

class TGameWorld : public TWorld {
public:
    // The displays count the seconds played on the clock.
    TGameWorld(TGameScreenFields& screen, IClock& clock);
    ~TGameWorld() override;

    // Creates the level's objects in their fixed order, logging "1" to "7"
    // after each step: the swarm (it reads the level file) with its 50
    // enemies, the pipe, 300 bubbles, 100 bubble points, 100 shots, the
    // displays, the front (it reads SPS/front.dat). A failure leaves what was
    // made for Close.
    void Open();
    // Frees the level's objects: front, displays, swarm, pipe, shots,
    // bubbles, bubble points.
    void Close();
    // Open ran and Close did not yet.
    bool IsOpen() const { return open_; }

    std::unique_ptr<TAnzeige> Anzeige;

private:
    IClock& clock_;
    bool open_ = false;
};
