// The ranking list in a PostgreSQL database, so that several server
// instances (behind a load balancer) can share one list. Publications from
// every instance are stored one after another under a lock the database
// holds, so ranks stay right however they interleave.
#pragma once

#include <cstddef>
#include <string>

#include "pg_db.h"
#include "sql_score_store.h"

class PgScoreStore : public SqlScoreStore {
public:
    // conninfo: a postgresql:// URI (or libpq's "key=value" settings). Creates
    // the tables when they are missing. Throws EPgError when it cannot.
    PgScoreStore(const std::string& conninfo, std::size_t maxConnections);

    PublishResult Publish(const ScorePublication& publication, std::int64_t weekStart) override;

private:
    void WithSession(SessionKind kind, const std::function<void(ISqlSession&)>& work) override;

    PgPool pool_;
};
