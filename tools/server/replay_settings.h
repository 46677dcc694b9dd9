// What the server does with replays: whether it takes them, whether only
// verified scores rank, the caps of a verification, and the addresses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "server_options.h"

constexpr std::string_view ReplayUploadPath = "/replays";
// Below the area: /vtrinternal/capabilities.txt.
constexpr std::string_view CapabilitiesPage = "capabilities.txt";
// The largest replay taken: a visit of about four hours.
constexpr std::size_t MaxReplayUploadBytes = 4 * 1024 * 1024;
// Uploads are refused (503) while this many replays wait for a verifier.
constexpr std::int64_t MaxWaitingReplays = 1000;

struct ReplaySettings {
    bool taken = false;         // the server has the game's data and takes replays
    bool verifiedOnly = false;  // only verified scores rank
    ReplayCaps caps;
    std::function<void()> uploaded;  // a replay was taken (wakes the verifiers)
};
