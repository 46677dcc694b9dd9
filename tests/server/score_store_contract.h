// What every ranking-list store must do. The tests are instantiated once per
// implementation: SQLite in score_store_test.cpp, PostgreSQL in
// pg_store_test.cpp.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "score_store.h"
#include "server_clock.h"

// One implementation of the store, named for the test's output.
struct StoreKind {
    const char* name;
    // A fresh, empty store.
    std::function<std::unique_ptr<IScoreStore>()> make;
    // The store made last, opened again after its places' counts were emptied by hand.
    std::function<std::unique_ptr<IScoreStore>()> reopenWithoutCounts;
    // Why the store cannot be made here (the tests are then skipped); empty when it can.
    std::function<std::string()> unavailable = [] { return std::string(); };
};
inline void PrintTo(const StoreKind& kind, std::ostream* out) {
    *out << kind.name;
}
inline std::string StoreKindName(const testing::TestParamInfo<StoreKind>& kind) {
    return kind.param.name;
}

class ScoreStoreContract : public testing::TestWithParam<StoreKind> {
protected:
    static constexpr std::int64_t kMonday = 1714953600;  // 2024-05-06 00:00 UTC
    static constexpr std::int64_t kWeek = 7 * 86400;

    void SetUp() override {
        const std::string reason = GetParam().unavailable();
        if (!reason.empty()) GTEST_SKIP() << reason;
        store = GetParam().make();
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
};
