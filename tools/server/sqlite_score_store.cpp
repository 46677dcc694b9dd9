// The ranking list on SQLite: the shared tables and steps on one connection,
// each publication in a write transaction that also keeps other processes on
// the same file waiting.
#include "sqlite_score_store.h"

#include "score_ranking.h"

namespace {

// Write-ahead log: the list page reads while a publication writes, and a
// commit appends to the log without waiting for the disk (a crash may lose
// the last publications, never the file).
constexpr const char* kSettings = "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;";

const RankingDialect& Sqlite() {
    // SQLite's INTEGER holds 64 bits; an INTEGER PRIMARY KEY numbers itself.
    // A write transaction holds the whole file, so a claim has no rows to pass over.
    static const RankingDialect dialect{"INTEGER PRIMARY KEY",
                                        "INTEGER",
                                        " WITHOUT ROWID",
                                        "(SELECT COALESCE(MAX(seq), 0) + 1 FROM players)",
                                        "",
                                        "SELECT name FROM pragma_table_info('players')"};
    return dialect;
}

}  // namespace

SqliteScoreStore::SqliteScoreStore(const std::string& path) : SqlScoreStore(Sqlite()), db_(path) {
    db_.Exec(kSettings);
    SqliteSession session(db_, true);
    session.Run(RankingSchema(Sqlite()));
    AddMissingColumns(session, Sqlite());
    RecountRanksWhenMissing(session);
    session.RunAndCommit({{"PRAGMA user_version = 4", {}}});
}

PublishResult SqliteScoreStore::Publish(const ScorePublication& p, std::int64_t weekStart) {
    std::lock_guard lock(mutex_);
    // The transaction holds the file's write lock from its start, the lookup included.
    SqliteSession session(db_, true);
    return PublishScore(session, Sqlite(), p, weekStart, {});
}

void SqliteScoreStore::WithSession(SessionKind kind, const std::function<void(ISqlSession&)>& work) {
    std::lock_guard lock(mutex_);
    // A write transaction holds the whole file: the lists' lock too.
    SqliteSession session(db_, kind != SessionKind::Read);
    work(session);
}
