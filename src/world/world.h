// The world of one game as its objects see each other: the level's pools, the
// game screen's input fields they read and set, the game flags, and the
// displays they report to. The game screen fills it from InitLevel to
// CloseLevel (see game/game_world.h); world objects hold a reference to it
// instead of reaching for globals.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "infra/env_data.h"
#include "world/world_displays.h"

class TSpermien;
class TRohre;
class TBubbles;
class TBubblpoints;
class TSchuesse;
class TFront;

// The game screen's input fields that the world reads and sets.
struct TGameScreenFields {
    std::int32_t MouseX = -1;  // cursor of the current frame
    std::int32_t MouseY = -1;
    std::int32_t PendingShots = 0;  // clicks during play not yet fired by the pipe
    bool Clicked = false;           // a click or Enter arrived while not playing
    std::uint32_t StartTick = 0;    // millisecond tick when play began
};

class TWorld {
public:
    explicit TWorld(TGameScreenFields& screen);
    virtual ~TWorld();
    TWorld(const TWorld&) = delete;
    TWorld& operator=(const TWorld&) = delete;

    // The displays the world reports to; without any, scores go nowhere and
    // the game is never lost.
    IWorldDisplays& Displays() const { return *displays_; }
    void ReportTo(IWorldDisplays* displays);

    // The game is over and its end sequence done (or a name was entered):
    // play stops, the outcome is set, and the states may leave the game.
    void FinishGame(bool won);

    TGameScreenFields& Screen;
    // Saves Env once a high-score name has been entered; a replay being
    // played leaves the player's files alone and empties it.
    std::function<void()> SaveRecords = &SaveEnv;
    // A game is in play: clicks fire shots, the clock runs.
    bool Playing = false;
    // The game ended lost / won and its end sequence is over.
    bool GameLost = false;
    bool GameWon = false;

    std::unique_ptr<TSpermien> Spermien;
    std::unique_ptr<TRohre> Rohre;
    std::unique_ptr<TBubbles> Bubbles;
    std::unique_ptr<TBubblpoints> Bubblpoints;
    std::unique_ptr<TSchuesse> Schuesse;
    std::unique_ptr<TFront> Front;

private:
    IWorldDisplays* displays_;
};
