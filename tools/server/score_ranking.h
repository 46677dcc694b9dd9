// The steps of one publication that every store shares: who the player is,
// the publication itself, the best score in the overall and the weekly list,
// and the player's places before and after. A store runs them in one
// transaction that holds its write lock, through its own tables.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "score_store.h"

// A score as the lists order it: higher score first, then the earlier time,
// then the earlier publication.
struct ListEntry {
    std::int64_t score = 0;
    std::int64_t at = 0;
    std::int64_t seq = 0;  // the publication that reached it
};

// The tables behind both lists, as the publication steps use them.
class IRankingTables {
public:
    virtual ~IRankingTables() = default;

    struct Player {
        std::int64_t seq = 0;  // the store's own key of the player
        ListEntry best;
    };
    virtual std::optional<Player> FindPlayerById(const std::string& playerId) = 0;
    // A player without data or score yet; returns its key.
    virtual std::int64_t AddPlayer(const std::string& playerId, std::int64_t at) = 0;
    // Returns the publication's number; numbers grow in the order publications are stored.
    virtual std::int64_t AddPublication(std::int64_t playerSeq, std::int32_t score, std::int64_t at) = 0;
    virtual void SavePlayer(std::int64_t playerSeq, const PlayerData& data, const ListEntry& best,
                            std::int64_t at) = 0;
    virtual std::optional<ListEntry> WeeklyBest(std::int64_t weekStart, std::int64_t playerSeq) = 0;
    virtual void SaveWeeklyBest(std::int64_t weekStart, std::int64_t playerSeq, const ListEntry& best) = 0;
    // How many players stand before this entry in the overall list, or in the week's list.
    virtual std::int64_t PlayersBefore(const ListEntry& entry) = 0;
    virtual std::int64_t WeeklyPlayersBefore(std::int64_t weekStart, const ListEntry& entry) = 0;
    // The best score of the list (of players who have one).
    virtual std::int32_t TopScore() = 0;
    virtual std::int32_t WeeklyTopScore(std::int64_t weekStart) = 0;
};

// One publication: a player ID the tables do not know (or none) makes a new
// player with a fresh ID; the best scores are kept, the data replaced.
PublishResult PublishScore(IRankingTables& tables, const ScorePublication& publication,
                           std::int64_t weekStart);

// A fresh player ID: 16 random letters and digits.
std::string NewPlayerId();

// The tables and indexes of both stores ("IF NOT EXISTS"), in either's SQL:
// keyType is a 64-bit primary key that numbers itself, bigInt a 64-bit number.
std::string RankingSchema(std::string_view keyType, std::string_view bigInt);

// A player's columns of the table "players" as the lists read them, and the
// reading of one row: text(i) and integer(i) give column i.
constexpr const char* RankingPlayerColumns =
    "id, best_score, best_at, name, city, country, email, age, sex, comment, games_started, games_won, "
    "stat_text, best_seq";
constexpr int RankingBestSeqColumn = 13;
template <class TextOf, class IntegerOf>
RankedPlayer ReadRankedPlayer(const TextOf& text, const IntegerOf& integer) {
    RankedPlayer p;
    p.playerId = text(0);
    p.score = static_cast<std::int32_t>(integer(1));
    p.scoreAt = integer(2);
    p.data = {text(3), text(4), text(5),     text(6),     static_cast<std::int32_t>(integer(7)),
              text(8), text(9), integer(10), integer(11), text(12)};
    return p;
}
