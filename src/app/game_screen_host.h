// Runs the game screen for the menu window: the SDL display shared by every
// game of the run, the fonts, the sound device, and the screen shown modally.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "infra/outside_world.h"

class SdlDisplay;
class TDDFullScreenForm1;
class TReplayPlayer;

class TGameScreenHost {
public:
    // Starts SDL's video at once when it can: SDL should be up before the
    // first Qt window. When it cannot (no display yet), the first game tries again.
    explicit TGameScreenHost(const TOutsideWorld& outside);
    ~TGameScreenHost();
    TGameScreenHost(const TGameScreenHost&) = delete;
    TGameScreenHost& operator=(const TGameScreenHost&) = delete;

    // Creates the game screen, sets its display mode when one is given and
    // shows it modally with the animation definitions of the menu window.
    void Run(std::optional<int> displayMode, const std::string& definitions);
    // Plays the replay in the file on the game screen at normal speed (P
    // pauses, F fast-forwards, Escape stops). Returns what the viewer should
    // be told afterwards: a file it cannot play, or where the replay stopped
    // matching this game; empty when it played.
    std::string RunReplay(const std::string& path, std::optional<int> displayMode,
                          const std::string& definitions);
    // What the last RunReplay ended with: 0 played, 1 differed, 2 not playable.
    int ReplayResult() const { return replayResult_; }

    // The program is to end: a running game screen closes through its closing
    // protocol without waiting for the player. Nothing when none runs.
    void EndWithoutWaiting();

    // Between games nobody reads SDL's events: the menu's loop calls this now
    // and then so that they do not pile up. The display's own (user) events stay.
    void DrainEvents();

private:
    // The game screen on the SDL display, live or playing the replay.
    void ShowScreen(std::optional<int> displayMode, const std::string& definitions, TReplayPlayer* replay);
    SdlDisplay& Display();

    TOutsideWorld outside_;
    int replayResult_ = 0;
    std::unique_ptr<SdlDisplay> display_;
    TDDFullScreenForm1* form_ = nullptr;  // while one runs
};
