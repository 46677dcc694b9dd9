// The ranking-list store's contract on PostgreSQL, in a throwaway cluster
// (skipped, saying why, where none can be started), and the batches that
// the store sends in one go.
#include <gtest/gtest.h>

#include <memory>

#include "pg_db.h"
#include "pg_score_store.h"
#include "score_store_contract.h"
#include "sql_session_contract.h"
#include "support/postgres_cluster.h"

namespace {

std::string Unavailable() {
    const PostgresCluster& cluster = SharedPostgresCluster();
    return cluster.Available() ? std::string() : "no PostgreSQL cluster: " + cluster.Reason();
}

StoreUnderTest FreshStore() {
    static int databases = 0;
    const std::string address =
        SharedPostgresCluster().NewDatabase("contract_" + std::to_string(++databases));
    return {std::make_unique<PgScoreStore>(address, 2), [address] {
                PgConnection(address).Exec("DELETE FROM rank_counts");
                return std::make_unique<PgScoreStore>(address, 2);
            }};
}

INSTANTIATE_TEST_SUITE_P(Stores, ScoreStoreContract,
                         testing::Values(StoreKind{"PostgreSQL", FreshStore, Unavailable}),
                         ContractKindName<StoreUnderTest>);
INSTANTIATE_TEST_SUITE_P(Stores, ReplayStoreContract,
                         testing::Values(StoreKind{"PostgreSQL", FreshStore, Unavailable}),
                         ContractKindName<StoreUnderTest>);

class PgSessions : public ISessionSource {
public:
    std::unique_ptr<ISqlSession> Transaction() override {
        return std::make_unique<PgSession>(c_, std::vector<SqlStatement>{});
    }
    std::unique_ptr<ISqlSession> Plain() override { return std::make_unique<PgSession>(c_); }
    bool Broken() const override { return c_.Broken(); }

private:
    static std::string Database() {
        static int databases = 0;
        return SharedPostgresCluster().NewDatabase("sessions_" + std::to_string(++databases));
    }
    PgConnection c_{Database()};
};

INSTANTIATE_TEST_SUITE_P(Sessions, SqlSessionContract,
                         testing::Values(SessionKind{
                             "PostgreSQL", [] { return std::make_unique<PgSessions>(); }, Unavailable}),
                         ContractKindName<std::unique_ptr<ISessionSource>>);

TEST(PgScoreStore, ALostConnectionFailsOneRequestAndTheNextConnectsAfresh) {
    if (!Unavailable().empty()) GTEST_SKIP() << Unavailable();
    const std::string address = SharedPostgresCluster().NewDatabase("lost");
    PgScoreStore store(address, 1);
    store.Publish(ScorePublication{}, 0);
    // As a restart of the database does to the store's one connection.
    PgConnection(address).Exec(
        "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = current_database() AND "
        "pid <> pg_backend_pid()");
    EXPECT_THROW(store.PlayerCount(), std::exception);
    EXPECT_EQ(store.PlayerCount(), 1);
    EXPECT_EQ(store.Publish(ScorePublication{}, 0).overall.rank, 2);
}

}  // namespace
