// The ranking list on PostgreSQL: the shared tables and steps, each
// publication in a transaction under an advisory lock that the database
// holds until the commit, sent in two round trips.
#include "pg_score_store.h"

#include "replay_records.h"
#include "score_ranking.h"

namespace {

// Both the schema and every publication take the database's lock with this
// number ("VTR" and 1), so no two instances create tables or publish at once.
constexpr std::int64_t kSchemaLock = 0x56545230;
constexpr std::int64_t kPublishLock = 0x56545231;

const RankingDialect& Postgres() {
    static const RankingDialect dialect{"BIGSERIAL PRIMARY KEY", "BIGINT", "", "nextval('players_seq_seq')",
                                        " FOR UPDATE SKIP LOCKED"};
    return dialect;
}

std::vector<SqlStatement> LockStatement(std::int64_t lock) {
    return {{"SELECT pg_advisory_xact_lock($1)", {lock}}};
}

}  // namespace

PgScoreStore::PgScoreStore(const std::string& conninfo, std::size_t maxConnections)
    : pool_(conninfo, maxConnections) {
    const PgPool::Lease c = pool_.Acquire();
    PgSession session(*c, LockStatement(kSchemaLock));
    session.Run(RankingSchema(Postgres()));
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

std::vector<RankedPlayer> PgScoreStore::TopPlayers(std::size_t count) {
    const PgPool::Lease c = pool_.Acquire();
    PgSession session(*c);
    return ReadTopPlayers(session, count);
}

std::optional<RankedPlayer> PgScoreStore::FindPlayer(const std::string& playerId) {
    const PgPool::Lease c = pool_.Acquire();
    PgSession session(*c);
    return ReadPlayer(session, playerId);
}

std::int64_t PgScoreStore::PlayerCount() {
    const PgPool::Lease c = pool_.Acquire();
    PgSession session(*c);
    return CountPlayers(session);
}

std::vector<RankedPlayer> PgScoreStore::TopVerifiedPlayers(std::size_t count) {
    const PgPool::Lease c = pool_.Acquire();
    PgSession session(*c);
    return ReadTopVerifiedPlayers(session, count);
}

std::int64_t PgScoreStore::VerifiedPlayerCount() {
    const PgPool::Lease c = pool_.Acquire();
    PgSession session(*c);
    return CountVerifiedPlayers(session);
}

ReplayUploadResult PgScoreStore::AddReplay(const ReplayUpload& upload, std::int64_t maxWaiting) {
    const PgPool::Lease c = pool_.Acquire();
    PgSession session(*c, {});
    return AddReplayRecord(session, upload, maxWaiting);
}

std::optional<ClaimedReplay> PgScoreStore::ClaimReplay(const std::string& worker, std::int64_t now,
                                                       std::int64_t staleBefore) {
    const PgPool::Lease c = pool_.Acquire();
    // The claim passes over rows another server is claiming, so no lock is needed.
    PgSession session(*c, {});
    return ClaimReplayRecord(session, Postgres(), worker, now, staleBefore);
}

void PgScoreStore::FinishReplay(std::int64_t replay, const ReplayVerdictRecord& verdict) {
    const PgPool::Lease c = pool_.Acquire();
    // A verified score changes the lists' counts: under the publications' lock.
    PgSession session(*c, LockStatement(kPublishLock));
    FinishReplayRecord(session, replay, verdict);
}

void PgScoreStore::ReleaseReplay(std::int64_t replay) {
    const PgPool::Lease c = pool_.Acquire();
    PgSession session(*c, {});
    ReleaseReplayRecord(session, replay);
}

std::optional<ReplayStatus> PgScoreStore::FindReplay(std::int64_t replay, bool withText) {
    const PgPool::Lease c = pool_.Acquire();
    PgSession session(*c);
    return ReadReplayRecord(session, replay, withText);
}

std::int64_t PgScoreStore::PruneReplays(std::int64_t uploadedBefore) {
    const PgPool::Lease c = pool_.Acquire();
    PgSession session(*c, {});
    return PruneReplayRecords(session, uploadedBefore);
}
