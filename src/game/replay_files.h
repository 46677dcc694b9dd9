// Replays in the player's folder: the checksums of the files a visit reads,
// saving a recording crash-safely under its date and score, keeping the
// newest 50 and every one that put a score into the high-score table, and
// finding the replay of a published score.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/replay_format.h"
#include "infra/env_data.h"

// The player's replays, below the program directory.
constexpr const char* ReplayDir = "replays";
constexpr std::size_t KeptReplays = 50;
constexpr std::string_view ReplayExtension = ".replay";

// The checksum of a file below the program directory; nothing when it is
// missing or cannot be read.
std::optional<std::uint32_t> FileChecksum(std::string_view relativePath);
// The table in env differs from the one the visit started with.
bool EnteredHighscores(const TReplayHeader& header, const TEnvData& env);
// "YYYY-MM-DD_HH-MM-SS_<score>[_highscore].replay" in local time.
std::string ReplayFileName(std::chrono::system_clock::time_point when, std::int32_t score, bool highscore);
// Writes the replay into folder (made when missing) under its name, a
// number added when that is taken, and prunes the folder. Returns the path;
// raises EInOutError when it cannot write.
std::string SaveReplay(const std::string& folder, std::string_view text,
                       std::chrono::system_clock::time_point when, std::int32_t score, bool highscore);
// Deletes all but the KeptReplays newest replays of the folder, except those
// that entered the high-score table. Files of other names are left alone.
void PruneReplays(const std::string& folder);

// The replay of the game that made a high score: the newest replay of the
// folder that put a score into the table, had it as its best, and holds a
// game that ended with it and with those statistics (the encoded text of the
// table, compared by its digits). Nothing when none does.
std::optional<std::string> FindReplayOfScore(const std::string& folder, std::int32_t score,
                                             std::string_view statText);
