// A player's place in a list at a cost that does not grow with the list. The
// table rank_counts holds, for each list, how many players have a score in
// each bucket of eight levels (the score itself, and the score shifted right
// by 4, 8, ... 28 bits). The players with a higher score are those in the
// buckets after the score's own within the same parent bucket, on every
// level: at most 8 x 15 rows to add up. Players with the same score are
// counted from the list's own index.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sql_batch.h"

// One list: the overall list or one week's list, of all scores or of the
// verified ones only.
struct RankList {
    std::int64_t kind = 0;  // 0 overall, 1 weekly, 2 verified overall, 3 verified weekly
    std::int64_t weekStart = 0;
};
constexpr RankList OverallRankList{0, 0};
constexpr RankList WeeklyRankList(std::int64_t weekStart) {
    return {1, weekStart};
}
// verified_best keeps the overall verified list under week_start 0, which no
// week starts at (1 January 1970 was a Thursday).
constexpr RankList VerifiedRankList{2, 0};
constexpr RankList VerifiedWeeklyRankList(std::int64_t weekStart) {
    return {3, weekStart};
}

// A score as the lists order it: higher score first, then the earlier time,
// then the earlier publication.
struct ListEntry {
    std::int64_t score = 0;
    std::int64_t at = 0;
    std::int64_t seq = 0;  // the publication that reached it; ThisPublication for the one being stored
};
// The publication stored last in this transaction: its number is known only
// once it is stored, and its statements read it from the table.
constexpr std::int64_t ThisPublication = 0;
void AppendPublicationSeq(SqlBuilder& sql, std::int64_t seq);

// Appends an expression: how many players stand before the entry in the list.
void AppendPlayersBefore(SqlBuilder& sql, RankList list, const ListEntry& entry);
// Appends an expression: the number of players in the list.
void AppendPlayersInList(SqlBuilder& sql, RankList list);

// One bucket's change of its number of players.
struct RankCountChange {
    RankList list;
    int level = 0;
    std::int64_t bucket = 0;
    std::int64_t players = 0;
};
// The changes when a player's score in the list moves from `from` (none: the
// player was not in the list) to `to`; appended to changes.
void AddRankCountChanges(std::vector<RankCountChange>& changes, RankList list,
                         std::optional<std::int64_t> from, std::int64_t to);
// One statement that applies the changes (at most one change per bucket).
SqlStatement RankCountChangesStatement(const std::vector<RankCountChange>& changes);

// The statements that count every list afresh from the lists' own tables
// (players, weekly_best and verified_best), replacing what rank_counts held.
std::vector<SqlStatement> RecountRankCountsStatements();
