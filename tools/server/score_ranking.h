// The ranking list's steps and statements, shared by both stores: a
// publication (who the player is, the publication itself, the best score in
// the overall and the weekly list, and the places before and after), the
// list's top, one player's place, and the tables. A store supplies the
// session that runs the statements and the few words its database spells
// its own way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "score_store.h"
#include "sql_batch.h"

// What differs between the databases.
struct RankingDialect {
    std::string keyType;         // a 64-bit primary key that numbers itself
    std::string bigInt;          // a 64-bit number
    std::string clusteredTable;  // after a table that is best stored in its key's order
    std::string nextPlayerSeq;   // an expression: the number a new player gets
    std::string skipLocked;      // after a subquery's LIMIT: rows others have locked are passed over
    std::string playerColumns;   // a query of the names of the table players' columns
};

// The player changed between the lookup and the lock (another publication of
// theirs came first); nothing was stored, and the publication may be tried
// again with the lock taken before the lookup.
class EStaleLookup : public std::runtime_error {
public:
    EStaleLookup() : std::runtime_error("the player changed while the publication waited for the lock") {}
};

// The tables and indexes ("IF NOT EXISTS"), one statement each.
std::vector<SqlStatement> RankingSchema(const RankingDialect& dialect);
// Adds the columns of players that a database from before replays lacks.
// Inside the caller's transaction, after the tables.
void AddMissingColumns(ISqlSession& db, const RankingDialect& dialect);
// Counts the places' buckets afresh when they are missing while the list is
// not (a database from before they were kept, or emptied by hand after an
// edit of the tables). Inside the caller's transaction.
void RecountRanksWhenMissing(ISqlSession& db);

// One publication, in the session's transaction, which it commits. A player
// ID the store does not know (or none) makes a new player with a fresh ID;
// the best scores are kept, the data replaced. Publications are stored one
// after another under the database's write lock: either the session holds
// it from its start (lock empty), or the statements `lock` take it after the
// player was looked up, together with everything that writes, so that the
// lock is held for one round trip only; EStaleLookup when the player changed
// in between.
PublishResult PublishScore(ISqlSession& db, const RankingDialect& dialect,
                           const ScorePublication& publication, std::int64_t weekStart,
                           const std::vector<SqlStatement>& lock);
// The first count players of the overall list, with their replays' marks.
std::vector<RankedPlayer> ReadTopPlayers(ISqlSession& db, std::size_t count);
std::optional<RankedPlayer> ReadPlayer(ISqlSession& db, const std::string& playerId);
std::int64_t CountPlayers(ISqlSession& db);
// The same for the list of verified scores.
std::vector<RankedPlayer> ReadTopVerifiedPlayers(ISqlSession& db, std::size_t count);
std::int64_t CountVerifiedPlayers(ISqlSession& db);

// A fresh player ID: 16 random letters and digits.
std::string NewPlayerId();
