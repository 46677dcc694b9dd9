// The ranking list in an SQLite file in the server's data folder.
#pragma once

#include <mutex>
#include <string>

#include "sql_score_store.h"
#include "sqlite_db.h"

class SqliteScoreStore : public SqlScoreStore {
public:
    // Opens or creates the database (":memory:" for a private one) and its tables.
    explicit SqliteScoreStore(const std::string& path);

    PublishResult Publish(const ScorePublication& publication, std::int64_t weekStart) override;

private:
    void WithSession(SessionKind kind, const std::function<void(ISqlSession&)>& work) override;

    std::mutex mutex_;  // one connection, shared by the server's threads
    SqliteDb db_;
};
