// The ranking-list store on SQLite: the shared contract, the file, and the
// weeks of the weekly list.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "score_store_contract.h"
#include "sqlite_db.h"
#include "sqlite_score_store.h"
#include "support/temp_program_dir.h"

namespace {

constexpr std::int64_t kMonday = 1714953600;  // 2024-05-06 00:00 UTC
constexpr std::int64_t kWeek = 7 * 86400;

INSTANTIATE_TEST_SUITE_P(Stores, ScoreStoreContract,
                         testing::Values(StoreKind{
                             "SQLite", [] { return std::make_unique<SqliteScoreStore>(":memory:"); }}),
                         StoreKindName);

TEST(SqliteScoreStore, KeepsTheListInItsFileAndCountsThePlacesOfAFileWithoutCounts) {
    TempProgramDir dir;
    const std::string file = (dir / "scores.sqlite").string();
    std::string id;
    {
        SqliteScoreStore store(file);
        ScorePublication p;
        p.score = 4242;
        p.data.email = "kim@example.org";
        id = store.Publish(p, kMonday).playerId;
        for (const std::int32_t score : {5000, 100, 70000}) {
            p.score = score;
            store.Publish(p, kMonday);
        }
    }
    // As a file written before the places were counted (or emptied by hand after an edit).
    SqliteDb(file).Exec("DROP TABLE rank_counts");
    SqliteScoreStore reopened(file);
    ASSERT_TRUE(reopened.FindPlayer(id));
    EXPECT_EQ(reopened.FindPlayer(id)->score, 4242);
    EXPECT_EQ(reopened.FindPlayer(id)->data.email, "kim@example.org");
    EXPECT_EQ(reopened.FindPlayer(id)->rank, 3);
    EXPECT_EQ(reopened.PlayerCount(), 4);
    ScorePublication better;
    better.playerId = id;
    better.score = 6000;
    const PublishResult r = reopened.Publish(better, kMonday);
    EXPECT_EQ(r.overall.oldRank, 3);
    EXPECT_EQ(r.overall.rank, 2);
    EXPECT_EQ(r.weekly.oldRank, 3);
    EXPECT_EQ(r.weekly.rank, 2);
}

TEST(WeekStart, WeeksBeginOnMondayAtMidnightUtc) {
    EXPECT_EQ(WeekStart(kMonday), kMonday);
    EXPECT_EQ(WeekStart(kMonday - 1), kMonday - kWeek);
    EXPECT_EQ(WeekStart(kMonday + kWeek - 1), kMonday);
    EXPECT_EQ(WeekStart(0), -3 * 86400);  // 1 January 1970 was a Thursday
    EXPECT_EQ(WeekStart(-1), -3 * 86400);
}

}  // namespace
