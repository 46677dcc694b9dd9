// The ranking list on SQLite: the shared tables and steps on one connection,
// each publication in a write transaction that also keeps other processes on
// the same file waiting.
#include "sqlite_score_store.h"

#include "replay_records.h"
#include "score_ranking.h"

namespace {

// Write-ahead log: the list page reads while a publication writes, and a
// commit appends to the log without waiting for the disk (a crash may lose
// the last publications, never the file).
constexpr const char* kSettings = "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;";

const RankingDialect& Sqlite() {
    // SQLite's INTEGER holds 64 bits; an INTEGER PRIMARY KEY numbers itself.
    // A write transaction holds the whole file, so a claim has no rows to pass over.
    static const RankingDialect dialect{"INTEGER PRIMARY KEY", "INTEGER", " WITHOUT ROWID",
                                        "(SELECT COALESCE(MAX(seq), 0) + 1 FROM players)", ""};
    return dialect;
}

}  // namespace

SqliteScoreStore::SqliteScoreStore(const std::string& path) : db_(path) {
    db_.Exec(kSettings);
    SqliteSession session(db_, true);
    session.Run(RankingSchema(Sqlite()));
    RecountRanksWhenMissing(session);
    session.RunAndCommit({{"PRAGMA user_version = 4", {}}});
}

PublishResult SqliteScoreStore::Publish(const ScorePublication& p, std::int64_t weekStart) {
    std::lock_guard lock(mutex_);
    // The transaction holds the file's write lock from its start, the lookup included.
    SqliteSession session(db_, true);
    return PublishScore(session, Sqlite(), p, weekStart, {});
}

std::vector<RankedPlayer> SqliteScoreStore::TopPlayers(std::size_t count) {
    std::lock_guard lock(mutex_);
    SqliteSession session(db_, false);
    return ReadTopPlayers(session, count);
}

std::optional<RankedPlayer> SqliteScoreStore::FindPlayer(const std::string& playerId) {
    std::lock_guard lock(mutex_);
    SqliteSession session(db_, false);
    return ReadPlayer(session, playerId);
}

std::int64_t SqliteScoreStore::PlayerCount() {
    std::lock_guard lock(mutex_);
    SqliteSession session(db_, false);
    return CountPlayers(session);
}

std::vector<RankedPlayer> SqliteScoreStore::TopVerifiedPlayers(std::size_t count) {
    std::lock_guard lock(mutex_);
    SqliteSession session(db_, false);
    return ReadTopVerifiedPlayers(session, count);
}

std::int64_t SqliteScoreStore::VerifiedPlayerCount() {
    std::lock_guard lock(mutex_);
    SqliteSession session(db_, false);
    return CountVerifiedPlayers(session);
}

ReplayUploadResult SqliteScoreStore::AddReplay(const ReplayUpload& upload, std::int64_t maxWaiting) {
    std::lock_guard lock(mutex_);
    SqliteSession session(db_, true);
    return AddReplayRecord(session, upload, maxWaiting);
}

std::optional<ClaimedReplay> SqliteScoreStore::ClaimReplay(const std::string& worker, std::int64_t now,
                                                           std::int64_t staleBefore) {
    std::lock_guard lock(mutex_);
    SqliteSession session(db_, true);
    return ClaimReplayRecord(session, Sqlite(), worker, now, staleBefore);
}

void SqliteScoreStore::FinishReplay(std::int64_t replay, const ReplayVerdictRecord& verdict) {
    std::lock_guard lock(mutex_);
    SqliteSession session(db_, true);
    FinishReplayRecord(session, replay, verdict);
}

void SqliteScoreStore::ReleaseReplay(std::int64_t replay) {
    std::lock_guard lock(mutex_);
    SqliteSession session(db_, true);
    ReleaseReplayRecord(session, replay);
}

std::optional<ReplayStatus> SqliteScoreStore::FindReplay(std::int64_t replay, bool withText) {
    std::lock_guard lock(mutex_);
    SqliteSession session(db_, false);
    return ReadReplayRecord(session, replay, withText);
}

std::int64_t SqliteScoreStore::PruneReplays(std::int64_t uploadedBefore) {
    std::lock_guard lock(mutex_);
    SqliteSession session(db_, true);
    return PruneReplayRecords(session, uploadedBefore);
}
