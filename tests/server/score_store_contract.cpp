// The ranking-list store's contract: IDs, best scores, ties and the weekly list.
#include "score_store_contract.h"

#include <gmock/gmock.h>

namespace {

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

TEST_P(ScoreStoreContract, KeepsThePublishedTextsAsTheyWereSent) {
    ScorePublication p;
    p.score = -150;  // every shot costs points: a score may be below zero
    p.at = kMonday;
    p.data = {"O'Brien \\ \"Zo\u00eb\"",
              "Z\u00fcrich; DROP TABLE players",
              "",
              "o@example.org",
              110,
              "m",
              "tr\u00e8s bien",
              2000000000,
              7,
              "Spielzeit: 90 s"};
    const std::string id = store->Publish(p, WeekStart(p.at)).playerId;
    const std::optional<RankedPlayer> stored = store->FindPlayer(id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->score, -150);
    const PlayerData& d = stored->data;
    EXPECT_EQ(d.name, p.data.name);
    EXPECT_EQ(d.city, p.data.city);
    EXPECT_EQ(d.email, p.data.email);
    EXPECT_EQ(d.age, 110);
    EXPECT_EQ(d.sex, "m");
    EXPECT_EQ(d.comment, p.data.comment);
    EXPECT_EQ(d.gamesStarted, 2000000000);
    EXPECT_EQ(d.gamesWon, 7);
    EXPECT_EQ(d.statText, p.data.statText);
    EXPECT_EQ(Publish("", -200, kMonday + 1).overall.rank, 2);
    ASSERT_EQ(store->TopPlayers(5).size(), 2u);
    EXPECT_EQ(store->TopPlayers(5)[0].data.name, p.data.name);
}

}  // namespace
