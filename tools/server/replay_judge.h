// Whether a replayed visit shows the published game: the verdict of the replay
// against the publication's score, statistics text and count of games won.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/replay_verify.h"

struct ReplayClaim {
    std::int32_t score = 0;
    std::string statText;
    std::int64_t gamesWon = 0;
};

struct ReplayJudgement {
    bool verified = false;
    std::string outcome;  // the game's "won", "lost" or "left", when verified
    std::string reason;   // why not
};

// Verified when the replay matches the game from its first step to its end,
// was played by this program version, and one of its games ended with the
// claimed score and statistics (and, when won, the record counts a game won).
// Otherwise the first reason that fails: "bad replay: ...", "program version
// differs ...", "the replay differs at step N: ...", "score differs",
// "statistics differ", "won/lost differs".
ReplayJudgement JudgeReplay(const TReplayVerdict& verdict, std::string_view replayProgram,
                            const ReplayClaim& claim);
