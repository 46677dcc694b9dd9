// The places in the lists: the bucket counts (how a score moves them, the
// players above a score, a recount from the lists' tables) and the ties.
#include "list_places.h"

#include <string>

namespace {

constexpr int kLevels = 8;
constexpr int kLevelBits = 4;
constexpr std::int64_t kLastInParent = (std::int64_t{1} << kLevelBits) - 1;

// Shifting keeps the order of scores, below zero too (the shift is arithmetic).
std::int64_t BucketOf(std::int64_t score, int level) {
    return score >> (level * kLevelBits);
}

void AppendRowsOfList(SqlBuilder& sql, RankList list) {
    sql << "SELECT CAST(COALESCE(SUM(players), 0) AS BIGINT) FROM rank_counts WHERE list = ";
    sql.Param(list.kind) << " AND week_start = ";
    sql.Param(list.weekStart);
}

// Appends an expression: the number of players in the list with a score above `score`.
void AppendPlayersAbove(SqlBuilder& sql, RankList list, std::int64_t score) {
    sql << "(";
    for (int level = 0; level < kLevels; ++level) {
        const std::int64_t bucket = BucketOf(score, level);
        sql << (level ? " + (" : "(");
        AppendRowsOfList(sql, list);
        sql << " AND level = ";
        sql.Param(std::int64_t{level}) << " AND bucket > ";
        sql.Param(bucket);
        // The top level has no parent: every bucket after the score's own counts.
        if (level + 1 < kLevels) {
            sql << " AND bucket <= ";
            sql.Param(bucket | kLastInParent);
        }
        sql << ")";
    }
    sql << ")";
}

}  // namespace

void AppendPublicationSeq(SqlBuilder& sql, std::int64_t seq) {
    // Publications are stored one after another under the lock: the last one stored is the largest.
    if (seq == ThisPublication)
        sql << "(SELECT MAX(seq) FROM publications)";
    else
        sql.Param(seq);
}

void AppendPlayersBefore(SqlBuilder& sql, RankList list, const ListEntry& e) {
    sql << "(";
    AppendPlayersAbove(sql, list, e.score);
    // The same score reached earlier: the lists' indexes find these few at once.
    if (list.kind == OverallRankList.kind) {
        sql << " + (SELECT COUNT(*) FROM players WHERE best_score = ";
        sql.Param(e.score) << " AND (best_at, best_seq) < (";
    } else {
        sql << " + (SELECT COUNT(*) FROM "
            << (list.kind == WeeklyRankList(0).kind ? "weekly_best" : "verified_best")
            << " WHERE week_start = ";
        sql.Param(list.weekStart) << " AND score = ";
        sql.Param(e.score) << " AND (scored_at, publication_seq) < (";
    }
    sql.Param(e.at) << ", ";
    AppendPublicationSeq(sql, e.seq);
    sql << ")))";
}

void AddRankCountChanges(std::vector<RankCountChange>& changes, RankList list,
                         std::optional<std::int64_t> from, std::int64_t to) {
    for (int level = 0; level < kLevels; ++level) {
        const std::int64_t bucket = BucketOf(to, level);
        // Within one bucket the score stays within every bucket above it too.
        if (from && BucketOf(*from, level) == bucket) break;
        changes.push_back({list, level, bucket, 1});
        if (from) changes.push_back({list, level, BucketOf(*from, level), -1});
    }
}

SqlStatement RankCountChangesStatement(const std::vector<RankCountChange>& changes) {
    SqlBuilder sql;
    sql << "INSERT INTO rank_counts (list, week_start, level, bucket, players) VALUES ";
    for (const RankCountChange& c : changes) {
        sql << (&c == &changes.front() ? "(" : ", (");
        sql.Param(c.list.kind) << ", ";
        sql.Param(c.list.weekStart) << ", ";
        sql.Param(std::int64_t{c.level}) << ", ";
        sql.Param(c.bucket) << ", ";
        sql.Param(c.players) << ")";
    }
    sql << " ON CONFLICT (list, week_start, level, bucket) DO UPDATE SET players = rank_counts.players + "
           "excluded.players";
    return sql.Take();
}

void AppendPlayersInList(SqlBuilder& sql, RankList list) {
    sql << "(";
    AppendRowsOfList(sql, list);
    sql << " AND level = ";
    sql.Param(std::int64_t{kLevels - 1}) << ")";
}

std::vector<SqlStatement> RecountRankCountsStatements() {
    std::vector<SqlStatement> statements = {{"DELETE FROM rank_counts", {}}};
    for (int level = 0; level < kLevels; ++level) {
        // Program constants only, written into the text: PostgreSQL cannot tell a parameter's type here.
        const std::string bucket = " >> " + std::to_string(level * kLevelBits);
        const std::string insert =
            "INSERT INTO rank_counts (list, week_start, level, bucket, players) SELECT ";
        const std::string levelColumn = ", " + std::to_string(level) + ", ";
        statements.push_back({insert + std::to_string(OverallRankList.kind) + ", 0" + levelColumn +
                                  "best_score" + bucket + ", COUNT(*) FROM players GROUP BY best_score" +
                                  bucket,
                              {}});
        statements.push_back({insert + std::to_string(WeeklyRankList(0).kind) + ", week_start" + levelColumn +
                                  "score" + bucket +
                                  ", COUNT(*) FROM weekly_best GROUP BY week_start, score" + bucket,
                              {}});
        statements.push_back(
            {insert + "CASE WHEN week_start = 0 THEN " + std::to_string(VerifiedRankList.kind) + " ELSE " +
                 std::to_string(VerifiedWeeklyRankList(0).kind) + " END, week_start" + levelColumn + "score" +
                 bucket + ", COUNT(*) FROM verified_best GROUP BY week_start, score" + bucket,
             {}});
    }
    return statements;
}
