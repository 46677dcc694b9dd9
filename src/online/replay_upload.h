// Sending a published game's replay to the score server where its
// capabilities file offers to take it; nothing of the upload reaches the player.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "online/http_client.h"

// The capabilities file below the game server's area.
constexpr std::string_view CapabilitiesFile = "capabilities.txt";

struct TReplayOffer {
    std::string path;  // "/replays"
    std::size_t maxBytes = 0;
};

// The server's offer in its capabilities text; none when it makes none or
// names no plain path.
std::optional<TReplayOffer> ReplayOfferOf(std::string_view capabilities);

// The replay of the game with this score and statistics text; none when the
// player has none.
using TReplayFinder =
    std::function<std::optional<std::string>(std::int32_t score, const std::string& statText)>;

// What one publication's upload needs.
struct TReplayUploadJob {
    std::string serverRoot;  // "scheme://host[:port]"
    std::string playerId;
    std::uint32_t recordSum = 0;
    std::int32_t score = 0;
    std::string statText;
};

enum class TReplayUploadOutcome { NotOffered, NoReplay, TooLarge, Sent, Refused, Failed };

// Asks the server (its /vtrinternal/capabilities.txt holds "replays <path>
// <largest size>"), finds the replay and POSTs it to the path with the
// player's ID and the checksum of the record as sent ("?id=...&sum=..."),
// which bind it to the publication. Blocks until done or stopped.
TReplayUploadOutcome UploadReplay(IHttpClient& http, const TReplayUploadJob& job, const TReplayFinder& find,
                                  std::stop_token stop);
