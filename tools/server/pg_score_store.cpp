// The ranking list on PostgreSQL: the shared tables and steps, each
// publication in a transaction under an advisory lock that the database
// holds until the commit, sent in two round trips.
#include "pg_score_store.h"

#include "score_ranking.h"

namespace {

// Both the schema and every publication take the database's lock with this
// number ("VTR" and 1), so no two instances create tables or publish at once.
constexpr std::int64_t kSchemaLock = 0x56545230;
constexpr std::int64_t kPublishLock = 0x56545231;

const RankingDialect& Postgres() {
    static const RankingDialect dialect{
        "BIGSERIAL PRIMARY KEY",
        "BIGINT",
        "",
        "nextval('players_seq_seq')",
        " FOR UPDATE SKIP LOCKED",
        "SELECT column_name FROM information_schema.columns WHERE table_name = "
        "'players' AND table_schema = current_schema()"};
    return dialect;
}

std::vector<SqlStatement> LockStatement(std::int64_t lock) {
    return {{"SELECT pg_advisory_xact_lock($1)", {lock}}};
}

}  // namespace

PgScoreStore::PgScoreStore(const std::string& conninfo, std::size_t maxConnections)
    : SqlScoreStore(Postgres()), pool_(conninfo, maxConnections) {
    const PgPool::Lease c = pool_.Acquire();
    PgSession session(*c, LockStatement(kSchemaLock));
    session.Run(RankingSchema(Postgres()));
    AddMissingColumns(session, Postgres());
    RecountRanksWhenMissing(session);
    session.RunAndCommit({});
}

PublishResult PgScoreStore::Publish(const ScorePublication& p, std::int64_t weekStart) {
    const PgPool::Lease c = pool_.Acquire();
    try {
        // The lock, held until the commit, comes with the writes: each
        // publication sees every one stored before it, and holds the lock
        // for one round trip only.
        PgSession session(*c, {});
        return PublishScore(session, Postgres(), p, weekStart, LockStatement(kPublishLock));
    } catch (const EStaleLookup&) {
        // Another publication of the player's came first: look them up again under the lock.
    }
    PgSession session(*c, LockStatement(kPublishLock));
    return PublishScore(session, Postgres(), p, weekStart, {});
}

void PgScoreStore::WithSession(SessionKind kind, const std::function<void(ISqlSession&)>& work) {
    const PgPool::Lease c = pool_.Acquire();
    if (kind == SessionKind::Read) {
        PgSession session(*c);
        work(session);
        return;
    }
    PgSession session(
        *c, kind == SessionKind::ListsLocked ? LockStatement(kPublishLock) : std::vector<SqlStatement>{});
    work(session);
}
