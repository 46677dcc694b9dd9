// The counters of one game (the swarm's Stats): the seconds played, for each
// enemy kind the launches, far hits, near hits and passes, and the condoms
// and torpedoes fired. The statistics text of a high score is made of them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr int StatCount = 27;
using TGameStats = std::array<std::int32_t, StatCount>;

constexpr std::size_t StatSecondsPlayed = 0;
constexpr std::size_t StatCondomsFired = 25;
constexpr std::size_t StatTorpedoesFired = 26;

// The counters kept per enemy kind: six slots each, kind 1 first.
enum class TKindStat : std::size_t { Launched = 0, FarHits = 6, NearHits = 12, Passed = 18 };

// The slot of an enemy kind (1..6) in a per-kind group.
constexpr std::size_t KindStat(TKindStat group, std::int32_t kind) {
    return static_cast<std::size_t>(group) + static_cast<std::size_t>(kind);
}
