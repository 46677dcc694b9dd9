// The game-statistics text stored with a high score and sent with a
// published one: 55 digits, each written as a random letter of its digit's
// set, shuffled by a fixed permutation. The decoder beside it is what the
// score server runs to read the text back; both share the tables.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "world/game_stats.h"

constexpr int StatTextLength = 55;
using TStatsView = std::span<const std::int32_t, StatCount>;

// The 55 digits before encoding: seconds played (2), condoms (3),
// torpedoes (2), then launched, far hits, near hits and passed (2 each) for
// each enemy kind 1..6.
std::string StatDigits(TStatsView stats);
// Every digit becomes a letter of its set, drawn with the random source; then
// the characters are shuffled.
std::string EncodeStatDigits(std::string_view digits);
std::string EncodeStatText(TStatsView stats);
// The 55 digits of an encoded text; nothing when it is not one.
std::optional<std::string> DecodeStatText(std::string_view text);
