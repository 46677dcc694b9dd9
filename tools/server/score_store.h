// The ranking list's storage: players with an ID, the data they published
// and their best score, and every publication with its time, from which the
// weekly list is built. One interface for both stores: the embedded SQLite
// file and a PostgreSQL database that several server instances share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a player publishes about themselves (UTF-8 texts); the latest
// publication's data replaces the earlier.
struct PlayerData {
    std::string name;
    std::string city;
    std::string country;
    std::string email;     // never shown in the list
    std::int32_t age = 0;  // 0: not given
    std::string sex;       // "", "f" or "m"
    std::string comment;   // never shown in the list
    std::int64_t gamesStarted = 0;
    std::int64_t gamesWon = 0;
    std::string statText;
};

struct ScorePublication {
    std::string playerId;  // as sent; empty (or unknown to the store) for a new player
    std::int32_t score = 0;
    PlayerData data;
    std::int64_t at = 0;  // Unix seconds on the server's clock
};

// A player's place in one list, before and after a publication.
struct ListPlace {
    std::int64_t rank = 0;                // 1 is the top
    std::optional<std::int64_t> oldRank;  // none when the player was not in the list before
    std::int32_t topScore = 0;            // the list's best score afterwards
};

struct PublishResult {
    std::string playerId;
    bool newPlayer = false;
    ListPlace overall;
    ListPlace weekly;  // the publications from weekStart on
};

struct RankedPlayer {
    std::int64_t rank = 0;
    std::string playerId;
    std::int32_t score = 0;    // the best score
    std::int64_t scoreAt = 0;  // when it was first reached
    PlayerData data;
};

// Both lists order players by score, highest first; equal scores by the time
// the score was first reached, earlier first; then by publication order. The
// overall list holds each player's best score, the weekly list each player's
// best score published from the week's start on.
class IScoreStore {
public:
    virtual ~IScoreStore() = default;

    // Stores one publication atomically. A player ID the store does not know
    // (or none) makes a new player with a fresh ID of 16 letters and digits.
    // The best score is kept; the player's data is replaced.
    virtual PublishResult Publish(const ScorePublication& publication, std::int64_t weekStart) = 0;
    // The first count players of the overall list.
    virtual std::vector<RankedPlayer> TopPlayers(std::size_t count) = 0;
    virtual std::optional<RankedPlayer> FindPlayer(const std::string& playerId) = 0;
    virtual std::int64_t PlayerCount() = 0;
};
