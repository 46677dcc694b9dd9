// The ranking-list store on SQLite: the shared contracts of stores and
// sessions, the file, and the weeks of the weekly list.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "score_store_contract.h"
#include "sql_session_contract.h"
#include "sqlite_db.h"
#include "sqlite_score_store.h"
#include "support/temp_program_dir.h"

namespace {

constexpr std::int64_t kMonday = 1714953600;  // 2024-05-06 00:00 UTC
constexpr std::int64_t kWeek = 7 * 86400;

// Each store in a file of its own, so that it can be opened again.
StoreUnderTest FreshStore() {
    static TempProgramDir dir;
    static int stores = 0;
    const std::string file = (dir / ("scores" + std::to_string(++stores) + ".sqlite")).string();
    return {std::make_unique<SqliteScoreStore>(file), [file] {
                SqliteDb(file).Exec("DELETE FROM rank_counts");
                return std::make_unique<SqliteScoreStore>(file);
            }};
}

INSTANTIATE_TEST_SUITE_P(Stores, ScoreStoreContract, testing::Values(StoreKind{"SQLite", FreshStore}),
                         ContractKindName<StoreUnderTest>);
INSTANTIATE_TEST_SUITE_P(Stores, ReplayStoreContract, testing::Values(StoreKind{"SQLite", FreshStore}),
                         ContractKindName<StoreUnderTest>);

class SqliteSessions : public ISessionSource {
public:
    std::unique_ptr<ISqlSession> Transaction() override { return std::make_unique<SqliteSession>(db_, true); }
    std::unique_ptr<ISqlSession> Plain() override { return std::make_unique<SqliteSession>(db_, false); }

private:
    SqliteDb db_{":memory:"};
};

INSTANTIATE_TEST_SUITE_P(Sessions, SqlSessionContract,
                         testing::Values(SessionKind{"SQLite",
                                                     [] { return std::make_unique<SqliteSessions>(); }}),
                         ContractKindName<std::unique_ptr<ISessionSource>>);

TEST(SqliteScoreStore, KeepsTheListInItsFile) {
    TempProgramDir dir;
    const std::string file = (dir / "scores.sqlite").string();
    std::string id;
    {
        SqliteScoreStore store(file);
        ScorePublication p;
        p.score = 4242;
        p.data.email = "kim@example.org";
        id = store.Publish(p, 0).playerId;
    }
    SqliteScoreStore reopened(file);
    ASSERT_TRUE(reopened.FindPlayer(id));
    EXPECT_EQ(reopened.FindPlayer(id)->score, 4242);
    EXPECT_EQ(reopened.FindPlayer(id)->data.email, "kim@example.org");
}

TEST(SqliteScoreStore, AListFromBeforeReplaysGetsTheirColumnsAndTakesThem) {
    TempProgramDir dir;
    const std::string file = (dir / "scores.sqlite").string();
    { SqliteScoreStore made(file); }
    {
        SqliteDb old(file);
        old.Exec(
            "ALTER TABLE players DROP COLUMN last_record_sum; ALTER TABLE players DROP COLUMN "
            "last_publication");
    }
    SqliteScoreStore store(file);
    ScorePublication p;
    p.recordSum = 77;
    const std::string id = store.Publish(p, 0).playerId;
    EXPECT_EQ(store.AddReplay({id, 77, "r", 0}, 10).replay, 1);
}

TEST(WeekStart, WeeksBeginOnMondayAtMidnightUtc) {
    EXPECT_EQ(WeekStart(kMonday), kMonday);
    EXPECT_EQ(WeekStart(kMonday - 1), kMonday - kWeek);
    EXPECT_EQ(WeekStart(kMonday + kWeek - 1), kMonday);
    EXPECT_EQ(WeekStart(0), -3 * 86400);  // 1 January 1970 was a Thursday
    EXPECT_EQ(WeekStart(-1), -3 * 86400);
}

}  // namespace
