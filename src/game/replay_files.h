// Replays in the player's folder: the checksums of the files a visit reads,
// and saving a recording crash-safely under its date and score, keeping the
// newest 50 and every one that put a score into the high-score table.
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
