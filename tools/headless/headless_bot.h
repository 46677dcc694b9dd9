// A simple player for the headless runner, to measure how hard a level is.
// It clicks the title screen once, then every frame moves the cursor to the
// row of the deadly enemy nearest the pipe that no condom (or click) is on its
// way to yet, and clicks once the pipe has come within a few pixels of it;
// it confirms a high-score name entry with Enter, and leaves with Escape
// when its one game is over (a second Escape ends the information picture). A passive bot steers the same way
// but never fires, which shows whether the level is lost by doing nothing. A reaction delay makes its inputs
// arrive that much later than the frame it judged, closer to a person's hand.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "game/capture_display.h"
#include "game/game_screen.h"
#include "world/swarm.h"

class THeadlessBot {
public:
    THeadlessBot(CaptureDisplay& display, TDDFullScreenForm1& form, bool fires, std::uint32_t delayMs = 0);

    // After each presented frame: decides the next input.
    void OnFrame();
    // Every log line: the game's end is read from the states' lines.
    void OnLogLine(std::string_view line);

    // "won", "lost" or "unfinished", with the score and the shots fired.
    std::string Result() const;

private:
    void Play();
    // The deadly enemy nearest the right edge that is not yet caught and not
    // yet taken care of by a shot.
    TSperm* NearestThreat() const;
    void Schedule(InputKind kind, char c = 0, std::uint16_t key = 0);

    CaptureDisplay& display_;
    TDDFullScreenForm1& form_;
    bool fires_;
    std::uint32_t delayMs_;
    bool started_ = false;
    bool leaving_ = false;
    bool entryConfirmed_ = false;
    std::string outcome_ = "unfinished";
    std::int32_t points_ = 0;
    std::int32_t clicks_ = 0;
    std::int32_t launched_ = 0;  // enemies the script launched
    std::int32_t hits_ = 0;
    std::uint32_t lastClickAt_ = 0;
    std::map<const TSperm*, std::uint32_t> lastShotAt_;  // when the bot last clicked at an enemy
};
