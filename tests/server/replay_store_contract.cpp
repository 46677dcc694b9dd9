// The store's contract for replays: binding, claims, the lists of verified scores
// (and the replies where only they rank) against a model, and retention.
#include <gmock/gmock.h>

#include <algorithm>
#include <map>
#include <random>
#include <tuple>

#include "replay_records.h"
#include "score_store_contract.h"

namespace {

using ModelEntry = std::tuple<std::int64_t, std::int64_t, int>;  // -score, time, publication number
using ModelList = std::map<std::string, ModelEntry>;

std::int64_t ModelPlace(const ModelList& list, const ModelEntry& entry, const std::string& id) {
    return 1 + std::count_if(list.begin(), list.end(),
                             [&](const auto& e) { return e.first != id && e.second < entry; });
}

// The reply where only verified scores rank: the place the score takes once verified.
ListPlace ModelReply(const ModelList& list, const std::string& id, const ModelEntry& published) {
    ListPlace place;
    const auto old = list.find(id);
    if (old != list.end()) place.oldRank = ModelPlace(list, old->second, id);
    place.rank = ModelPlace(list, old == list.end() ? published : std::min(old->second, published), id);
    const auto top =
        std::min_element(list.begin(), list.end(), [](auto& a, auto& b) { return a.second < b.second; });
    place.topScore = top == list.end() ? 0 : static_cast<std::int32_t>(-std::get<0>(top->second));
    return place;
}

TEST_P(ReplayStoreContract, AReplayIsBoundToItsPublicationClaimedOnceAndGivenUpAfterItsClaims) {
    const std::string id = PublishRecord("", 900, kMonday, 0x1234).playerId;
    EXPECT_EQ(store->AddReplay({id, 0x9999, "r", kMonday}, 1000).refusal, ReplayRefusal::NoPublication);
    EXPECT_EQ(store->AddReplay({"NoSuchPlayer", 0x1234, "r", kMonday}, 1000).refusal,
              ReplayRefusal::NoPublication);
    const ReplayUploadResult taken = store->AddReplay({id, 0x1234, "the replay", kMonday}, 1000);
    ASSERT_EQ(taken.refusal, ReplayRefusal::None);
    EXPECT_EQ(store->AddReplay({id, 0x1234, "again", kMonday}, 1000).refusal, ReplayRefusal::AlreadyTaken);
    PublishRecord(id, 900, kMonday + 1, 0x1234);  // the same record published again takes a replay of its own
    EXPECT_EQ(store->AddReplay({id, 0x1234, "r", kMonday}, 1).refusal, ReplayRefusal::QueueFull);
    PublishRecord(id, 800, kMonday + 2, 0x5555);  // a replay binds to the player's latest publication only
    EXPECT_EQ(store->AddReplay({id, 0x1234, "r", kMonday}, 1000).refusal, ReplayRefusal::NoPublication);

    const std::optional<ClaimedReplay> first = store->ClaimReplay("a", kMonday, kMonday - 60);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->replay, taken.replay);
    EXPECT_EQ(first->text, "the replay");
    EXPECT_EQ(first->score, 900);
    EXPECT_EQ(first->statText, "stats 4660");
    EXPECT_EQ(first->gamesWon, 2);
    EXPECT_FALSE(store->ClaimReplay("b", kMonday, kMonday - 60));
    EXPECT_EQ(store->FindReplay(taken.replay, false)->state, "checking");
    store->ReleaseReplay(taken.replay);
    EXPECT_EQ(store->FindReplay(taken.replay, false)->state, "pending");

    // Claims whose verifier went away are taken again, up to the last.
    for (std::int64_t claim = 1; claim <= MaxReplayClaims; ++claim)
        ASSERT_TRUE(store->ClaimReplay("c", kMonday + claim, kMonday + claim)) << claim;
    EXPECT_FALSE(store->ClaimReplay("d", kMonday + 100, kMonday + 100));
    const std::optional<ReplayStatus> given = store->FindReplay(taken.replay, true);
    EXPECT_EQ(given->state, "rejected");
    EXPECT_EQ(given->reason, "verification did not finish");
    EXPECT_EQ(given->text, "");  // only a verified replay is handed out
}

TEST_P(ReplayStoreContract, VerifiedScoresFormListsOfTheirOwnAndRankAloneWhereOnlyTheyCount) {
    std::mt19937 random(5);
    std::vector<std::string> ids;
    ModelList overall;
    std::map<std::int64_t, ModelList> weeks;
    const std::int32_t scores[] = {0, 15, 16, 255, 256, -3, 4096, 700, 700, 65536, 1 << 20};
    for (int k = 1; k <= 80; ++k) {
        const std::int64_t at = kMonday - 30 + k / 2;  // over a week's end
        const bool returning = !ids.empty() && random() % 3 != 0;
        const std::string id = returning ? ids[random() % ids.size()] : std::string();
        const std::int32_t score = scores[random() % std::size(scores)];
        const ModelEntry entry{-std::int64_t{score}, at, k};
        ModelList& week = weeks[WeekStart(at)];
        const bool ranked = random() % 2 == 0;
        const PublishResult r = PublishRecord(id, score, at, static_cast<std::uint32_t>(k),
                                              ranked ? ListRanking::VerifiedScores : ListRanking::AllScores);
        if (!returning) ids.push_back(r.playerId);
        if (ranked) {
            const ListPlace o = ModelReply(overall, r.playerId, entry),
                            w = ModelReply(week, r.playerId, entry);
            EXPECT_EQ(std::tie(r.overall.rank, r.overall.oldRank, r.overall.topScore),
                      std::tie(o.rank, o.oldRank, o.topScore))
                << "publication " << k;
            EXPECT_EQ(std::tie(r.weekly.rank, r.weekly.oldRank, r.weekly.topScore),
                      std::tie(w.rank, w.oldRank, w.topScore))
                << "publication " << k;
        }
        const bool verified = random() % 3 != 0;
        Judge(r.playerId, static_cast<std::uint32_t>(k), verified);
        for (ModelList* list : {&overall, &week}) {
            const auto old = list->find(r.playerId);
            if (verified && (old == list->end() || entry < old->second)) (*list)[r.playerId] = entry;
        }
    }
    EXPECT_EQ(store->VerifiedPlayerCount(), static_cast<std::int64_t>(overall.size()));
    const std::vector<RankedPlayer> top = store->TopVerifiedPlayers(12);
    ASSERT_EQ(top.size(), std::min<std::size_t>(12, overall.size()));
    for (const RankedPlayer& p : top) {
        EXPECT_EQ(p.rank, ModelPlace(overall, overall.at(p.playerId), p.playerId));
        EXPECT_EQ(p.score, -std::get<0>(overall.at(p.playerId)));
        EXPECT_GT(p.replays.verifiedReplay, 0);
    }
    for (const RankedPlayer& p : store->TopPlayers(ids.size())) {
        const auto v = overall.find(p.playerId);
        EXPECT_EQ(p.replays.verifiedScore,
                  v == overall.end() ? std::nullopt
                                     : std::optional(static_cast<std::int32_t>(-std::get<0>(v->second))));
    }
    // Counted afresh, the verified lists' places stay.
    store.reset();
    store = reopenWithoutCounts();
    EXPECT_EQ(store->VerifiedPlayerCount(), static_cast<std::int64_t>(overall.size()));
    EXPECT_EQ(store->TopVerifiedPlayers(12).size(), top.size());
}

TEST_P(ReplayStoreContract, OldReplaysGoExceptThoseOfTheBestVerifiedScores) {
    const std::string id = PublishRecord("", 500, kMonday, 1).playerId;
    Judge(id, 1, true);
    PublishRecord(id, 400, kMonday, 2);
    Judge(id, 2, true);
    PublishRecord(id, 900, kMonday, 3);
    Judge(id, 3, false);
    EXPECT_EQ(store->PruneReplays(kMonday), 0);
    EXPECT_EQ(store->PruneReplays(kMonday + 1), 2);
    EXPECT_EQ(store->FindReplay(1, true)->text, "replay 1");
    EXPECT_FALSE(store->FindReplay(2, false));
    EXPECT_FALSE(store->FindReplay(3, false));
    const RankedPlayer p = *store->FindPlayer(id);
    EXPECT_EQ(p.score, 900);
    EXPECT_EQ(p.replays.state, "");  // its replay is gone
    EXPECT_EQ(p.replays.verifiedScore, 500);
    EXPECT_EQ(p.replays.verifiedReplay, 1);
}

}  // namespace
