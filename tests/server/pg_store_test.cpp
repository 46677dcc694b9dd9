// The ranking-list store's contract on PostgreSQL, in a throwaway cluster
// (skipped, saying why, where none can be started).
#include <gtest/gtest.h>

#include <memory>

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

}  // namespace
