// The ranking-list store's contract on PostgreSQL, in a throwaway cluster
// (skipped, saying why, where none can be started), and the batches that
// the store sends in one go.
#include <gtest/gtest.h>

#include <memory>

#include "pg_db.h"
#include "pg_score_store.h"
#include "score_store_contract.h"
#include "support/postgres_cluster.h"

namespace {

std::string Unavailable() {
    const PostgresCluster& cluster = SharedPostgresCluster();
    return cluster.Available() ? std::string() : "no PostgreSQL cluster: " + cluster.Reason();
}

std::unique_ptr<IScoreStore> FreshStore() {
    static int databases = 0;
    return std::make_unique<PgScoreStore>(
        SharedPostgresCluster().NewDatabase("contract_" + std::to_string(++databases)), 2);
}

INSTANTIATE_TEST_SUITE_P(Stores, ScoreStoreContract,
                         testing::Values(StoreKind{"PostgreSQL", FreshStore, Unavailable}), StoreKindName);

TEST(PgSession, AFailedStatementUndoesItsTransactionAndTheConnectionGoesOn) {
    if (!Unavailable().empty()) GTEST_SKIP() << Unavailable();
    PgConnection c(SharedPostgresCluster().NewDatabase("pipeline"));
    c.Exec("CREATE TABLE t (n INTEGER PRIMARY KEY)");
    const auto insert = [](std::int64_t n) { return SqlStatement{"INSERT INTO t (n) VALUES ($1)", {n}}; };
    const auto count = [&] {
        return IntOf(PgSession(c).Run({{"SELECT COUNT(*) FROM t", {}}}).at(0).at(0).at(0));
    };
    try {
        PgSession(c, {insert(1)}).RunAndCommit({insert(2), insert(1), insert(3)});
        ADD_FAILURE() << "a key twice was stored";
    } catch (const ESqlStatementError& e) {
        EXPECT_EQ(e.statement, 1u);  // counted in the caller's batch, after the opening statement
    }
    EXPECT_FALSE(c.Broken());
    EXPECT_EQ(count(), 0);
    PgSession(c, {}).RunAndCommit({insert(2)});
    EXPECT_EQ(count(), 1);
}

}  // namespace
