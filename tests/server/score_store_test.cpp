// What every ranking-list store must do (run for each implementation), and
// the weeks of the weekly list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "server_clock.h"
#include "sqlite_score_store.h"
#include "support/temp_program_dir.h"

namespace {

// One implementation of the store, named for the test's output.
struct StoreKind {
    const char* name;
    std::function<std::unique_ptr<IScoreStore>()> make;
};
void PrintTo(const StoreKind& kind, std::ostream* out) {
    *out << kind.name;
}

constexpr std::int64_t kMonday = 1714953600;  // 2024-05-06 00:00 UTC
constexpr std::int64_t kWeek = 7 * 86400;

class ScoreStoreContract : public testing::TestWithParam<StoreKind> {
protected:
    void SetUp() override { store = GetParam().make(); }

    PublishResult Publish(const std::string& id, std::int32_t score, std::int64_t at,
                          const std::string& city = "") {
        ScorePublication p;
        p.playerId = id;
        p.score = score;
        p.at = at;
        p.data.name = "Player";
        p.data.city = city;
        return store->Publish(p, WeekStart(at));
    }

    std::unique_ptr<IScoreStore> store;
};

TEST_P(ScoreStoreContract, ANewPlayerGetsAnIdAndAReturningOneKeepsItAndItsBestScore) {
    const PublishResult anna = Publish("", 1000, kMonday + 3600, "Bern");
    EXPECT_TRUE(anna.newPlayer);
    EXPECT_THAT(anna.playerId, testing::MatchesRegex("[A-Za-z0-9]{16}"));
    EXPECT_EQ(anna.overall.rank, 1);
    EXPECT_FALSE(anna.overall.oldRank);
    EXPECT_EQ(anna.weekly.rank, 1);
    EXPECT_FALSE(anna.weekly.oldRank);

    EXPECT_EQ(Publish("", 2000, kMonday + 7200).overall.rank, 1);

    const PublishResult lower = Publish(anna.playerId, 500, kMonday + 9000, "Chur");
    EXPECT_FALSE(lower.newPlayer);
    EXPECT_EQ(lower.playerId, anna.playerId);
    EXPECT_EQ(lower.overall.oldRank, 2);
    EXPECT_EQ(lower.overall.rank, 2);
    EXPECT_EQ(lower.overall.topScore, 2000);
    EXPECT_EQ(lower.weekly.oldRank, 2);
    const std::optional<RankedPlayer> stored = store->FindPlayer(anna.playerId);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->score, 1000);
    EXPECT_EQ(stored->data.city, "Chur");

    const PublishResult higher = Publish(anna.playerId, 3000, kMonday + 9999);
    EXPECT_EQ(higher.overall.oldRank, 2);
    EXPECT_EQ(higher.overall.rank, 1);
    EXPECT_EQ(higher.overall.topScore, 3000);
    EXPECT_EQ(store->PlayerCount(), 2);

    const PublishResult stranger = Publish("unknown-id", 10, kMonday + 10000);
    EXPECT_TRUE(stranger.newPlayer);
    EXPECT_NE(stranger.playerId, "unknown-id");
    EXPECT_EQ(stranger.overall.rank, 3);
}

TEST_P(ScoreStoreContract, EqualScoresRankByWhoReachedThemFirst) {
    const std::string first = Publish("", 700, kMonday).playerId;
    const std::string second = Publish("", 700, kMonday).playerId;
    Publish("", 100, kMonday);
    // Reaching the same score again is no new best and keeps the old place.
    EXPECT_EQ(Publish(first, 700, kMonday + 100).overall.rank, 1);
    const std::vector<RankedPlayer> top = store->TopPlayers(2);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].playerId, first);
    EXPECT_EQ(top[1].playerId, second);
    EXPECT_EQ(top[1].rank, 2);
    EXPECT_EQ(store->FindPlayer(second)->rank, 2);
}

TEST_P(ScoreStoreContract, TheWeeklyListHoldsOnlyThisWeeksPublications) {
    const std::string old = Publish("", 5000, kMonday - kWeek + 86400).playerId;
    const PublishResult fresh = Publish("", 1000, kMonday + 60);
    EXPECT_EQ(fresh.overall.rank, 2);
    EXPECT_EQ(fresh.weekly.rank, 1);
    EXPECT_EQ(fresh.weekly.topScore, 1000);

    const PublishResult back = Publish(old, 800, kMonday + 120);
    EXPECT_EQ(back.overall.rank, 1);
    EXPECT_FALSE(back.weekly.oldRank);
    EXPECT_EQ(back.weekly.rank, 2);
    EXPECT_EQ(back.weekly.topScore, 1000);

    const PublishResult better = Publish(old, 1200, kMonday + 180);
    EXPECT_EQ(better.weekly.oldRank, 2);
    EXPECT_EQ(better.weekly.rank, 1);
    EXPECT_EQ(better.weekly.topScore, 1200);
    EXPECT_EQ(better.overall.topScore, 5000);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, ScoreStoreContract,
    testing::Values(StoreKind{"SQLite", [] { return std::make_unique<SqliteScoreStore>(":memory:"); }}),
    [](const testing::TestParamInfo<StoreKind>& kind) { return std::string(kind.param.name); });

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

TEST(WeekStart, WeeksBeginOnMondayAtMidnightUtc) {
    EXPECT_EQ(WeekStart(kMonday), kMonday);
    EXPECT_EQ(WeekStart(kMonday - 1), kMonday - kWeek);
    EXPECT_EQ(WeekStart(kMonday + kWeek - 1), kMonday);
    EXPECT_EQ(WeekStart(0), -3 * 86400);  // 1 January 1970 was a Thursday
    EXPECT_EQ(WeekStart(-1), -3 * 86400);
}

}  // namespace
