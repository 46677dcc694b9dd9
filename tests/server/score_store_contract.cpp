// The ranking-list store's contract: IDs, best scores, ties and the weekly list.
#include "score_store_contract.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <climits>
#include <map>
#include <random>
#include <tuple>

namespace {

// The lists as the test keeps them: each player's best entry (minus the
// score, so that the smaller key stands before), in the overall list and in
// each week's list.
using ModelEntry = std::tuple<std::int64_t, std::int64_t, int>;  // -score, time, publication number
using ModelList = std::map<std::string, ModelEntry>;

std::optional<std::int64_t> ModelPlace(const ModelList& list, const std::string& id) {
    const auto found = list.find(id);
    if (found == list.end()) return std::nullopt;
    return 1 +
           std::count_if(list.begin(), list.end(), [&](const auto& e) { return e.second < found->second; });
}

// Keeps the better entry; what the store's reply must say about the list.
ListPlace ModelPublish(ModelList& list, const std::string& id, const ModelEntry& entry) {
    ListPlace place;
    place.oldRank = ModelPlace(list, id);
    const auto old = list.find(id);
    if (old == list.end() || std::get<0>(entry) < std::get<0>(old->second)) list[id] = entry;
    place.rank = *ModelPlace(list, id);
    place.topScore = static_cast<std::int32_t>(
        -std::get<0>(std::min_element(list.begin(), list.end(), [](const auto& a, const auto& b) {
                         return a.second < b.second;
                     })->second));
    return place;
}

void ExpectPlace(const ListPlace& store, const ListPlace& model, int publication) {
    EXPECT_EQ(store.rank, model.rank) << "publication " << publication;
    EXPECT_EQ(store.oldRank, model.oldRank) << "publication " << publication;
    EXPECT_EQ(store.topScore, model.topScore) << "publication " << publication;
}

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

TEST_P(ScoreStoreContract, PlacesAreCountedAfreshWhereTheirCountsWentMissing) {
    const std::string kim = Publish("", 4242, kMonday).playerId;
    Publish("", 5000, kMonday);
    Publish("", 100, kMonday - kWeek);
    Publish("", 70000, kMonday + 1);
    Publish("", -3, kMonday - kWeek);
    store.reset();
    store = reopenWithoutCounts();
    EXPECT_EQ(store->FindPlayer(kim)->rank, 3);
    EXPECT_EQ(store->PlayerCount(), 5);
    const PublishResult r = Publish(kim, 6000, kMonday + 60);
    EXPECT_EQ(r.overall.oldRank, 3);
    EXPECT_EQ(r.overall.rank, 2);
    EXPECT_EQ(r.weekly.oldRank, 3);
    EXPECT_EQ(r.weekly.rank, 2);
    EXPECT_EQ(Publish("", 1, kMonday - kWeek).weekly.rank, 2);  // behind 100 in last week's list
}

TEST_P(ScoreStoreContract, PlacesFollowTheListsOrderAcrossScoreEdgesTiesAndWeeks) {
    // Scores on both sides of powers of two (where the store's counts split
    // them), below zero, at the ends of the range, and repeated for ties.
    const std::int32_t scores[] = {0,     -1,    1,         15,        16,      255,       256,    -256,
                                   -257,  4095,  4096,      65535,     65536,   1 << 20,   999999, -100000,
                                   31337, 31337, INT32_MAX, INT32_MIN, 1 << 28, -(1 << 28)};
    std::mt19937 random(11);
    std::vector<std::string> ids;
    ModelList overall;
    std::map<std::int64_t, ModelList> weeks;
    for (int k = 0; k < 150; ++k) {
        // Two publications share each second, over the end of a week.
        const std::int64_t at = kMonday - 40 + k / 2;
        const bool returning = !ids.empty() && random() % 3 != 0;
        const std::string id = returning ? ids[random() % ids.size()] : std::string();
        const std::int32_t score = scores[random() % std::size(scores)];
        const PublishResult r = Publish(id, score, at);
        if (!returning) ids.push_back(r.playerId);
        const ModelEntry entry{-std::int64_t{score}, at, k};
        ExpectPlace(r.overall, ModelPublish(overall, r.playerId, entry), k);
        ExpectPlace(r.weekly, ModelPublish(weeks[WeekStart(at)], r.playerId, entry), k);
    }
    EXPECT_EQ(store->PlayerCount(), static_cast<std::int64_t>(ids.size()));
    for (const std::string& id : {ids.front(), ids[ids.size() / 2], ids.back()})
        EXPECT_EQ(store->FindPlayer(id)->rank, ModelPlace(overall, id));
    const std::vector<RankedPlayer> top = store->TopPlayers(10);
    ASSERT_EQ(top.size(), 10u);
    for (const RankedPlayer& p : top) EXPECT_EQ(p.rank, ModelPlace(overall, p.playerId));
}

}  // namespace
