// A replay ready to play: read and checked once, with Env, GameData and the
// generator set from its header and the log lines going to the caller, and
// all of it put back when the session ends. Watching, verifying and the
// headless runner play through one.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "game/replay_format.h"
#include "game/replay_player.h"
#include "infra/env_data.h"
#include "infra/game_data.h"
#include "infra/log.h"

class TReplaySession {
public:
    // Raises EReplayError for a file it refuses, before anything changes.
    TReplaySession(std::string text, const TReplayLimits& limits,
                   std::function<void(std::string_view)> logLine);
    ~TReplaySession();
    TReplaySession(const TReplaySession&) = delete;
    TReplaySession& operator=(const TReplaySession&) = delete;

    TReplayPlayer& Player() { return player_; }
    const TReplayHeader& Header() const { return header_; }
    const TReplayCounts& Counts() const { return counts_; }
    // Nothing when the level (and the cave, where the front is on) in the
    // program's folders are the ones the replay was played with; else what differs.
    std::optional<std::string> ContentDifference() const;

private:
    std::string text_;
    TReplayCounts counts_;
    TReplayHeader header_;
    TEnvData env_;
    TGameData gameData_;
    std::uint32_t seed_;
    TLogDiversion diversion_;
    TReplayPlayer player_;
};
