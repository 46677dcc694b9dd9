// Command line of vantorel-headless.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

struct HeadlessOptions {
    std::string Dir;  // the program directory; empty: the runner's own folder
    std::optional<std::uint32_t> Seed;
    std::string InputFile;
    std::uint32_t MsPerFrame = 20;
    std::uint64_t MaxSteps = 30000;  // then a close request (ten minutes of game time)
    int Mode = 2;
    std::string SaveFramesDir;
    std::set<std::uint64_t> SaveAtSteps;
    // A player that starts one game, plays it and leaves (see headless_bot.h);
    // a passive one steers but never fires.
    bool Bot = false;
    bool BotFires = true;
    // The bot's reaction time: its inputs arrive this long after the frame it saw.
    std::uint32_t BotDelayMs = 0;
    // The replay of the run is also written here.
    std::string RecordFile;
    // A replay to play instead of a game: verified as fast as it goes, or
    // played with its frames drawn (for --save-frames).
    std::string ReplayFile;
    bool Verify = false;
};

// Parses argv; raises std::runtime_error with a usage hint on bad arguments.
HeadlessOptions ParseHeadlessOptions(int argc, char** argv);
extern const char* HeadlessUsage;
