// What every ranking-list store must do, replays included
// (replay_store_contract.cpp). The tests are instantiated once per
// implementation: SQLite in score_store_test.cpp, PostgreSQL in
// pg_store_test.cpp.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "contract_kind.h"
#include "score_store.h"
#include "server_clock.h"

// A fresh, empty store, and how to open it again after its places' counts were emptied by hand.
struct StoreUnderTest {
    std::unique_ptr<IScoreStore> store;
    std::function<std::unique_ptr<IScoreStore>()> reopenWithoutCounts;
};
using StoreKind = ContractKind<StoreUnderTest>;

class ScoreStoreContract : public testing::TestWithParam<StoreKind> {
protected:
    static constexpr std::int64_t kMonday = 1714953600;  // 2024-05-06 00:00 UTC
    static constexpr std::int64_t kWeek = 7 * 86400;

    void SetUp() override {
        const std::string reason = GetParam().unavailable();
        if (!reason.empty()) GTEST_SKIP() << reason;
        StoreUnderTest made = GetParam().make();
        store = std::move(made.store);
        reopenWithoutCounts = std::move(made.reopenWithoutCounts);
    }

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
    std::function<std::unique_ptr<IScoreStore>()> reopenWithoutCounts;
};

// The same stores with replays: publications that carry a record checksum,
// and replays judged at once.
class ReplayStoreContract : public ScoreStoreContract {
protected:
    PublishResult PublishRecord(const std::string& id, std::int32_t score, std::int64_t at, std::uint32_t sum,
                                ListRanking ranking = ListRanking::AllScores) {
        ScorePublication p;
        p.playerId = id;
        p.score = score;
        p.at = at;
        p.recordSum = sum;
        p.data.statText = "stats " + std::to_string(sum);
        p.data.gamesWon = 2;
        p.ranking = ranking;
        return store->Publish(p, WeekStart(at));
    }
    // Uploads, claims and judges the replay of the player's publication of that record.
    void Judge(const std::string& id, std::uint32_t sum, bool verified) {
        const ReplayUploadResult r =
            store->AddReplay({id, sum, "replay " + std::to_string(sum), kMonday}, 1000);
        ASSERT_EQ(r.refusal, ReplayRefusal::None);
        const std::optional<ClaimedReplay> c = store->ClaimReplay("verifier", 0, -1);
        ASSERT_TRUE(c);
        ASSERT_EQ(c->replay, r.replay);
        ReplayVerdictRecord v;
        v.verified = verified;
        v.outcome = "won";
        v.reason = verified ? "" : "score differs";
        store->FinishReplay(c->replay, v);
    }
};
