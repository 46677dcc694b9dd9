// The ranking list in an SQLite file in the server's data folder.
#pragma once

#include <mutex>
#include <string>

#include "score_store.h"
#include "sqlite_db.h"

class SqliteScoreStore : public IScoreStore {
public:
    // Opens or creates the database (":memory:" for a private one) and its tables.
    explicit SqliteScoreStore(const std::string& path);

    PublishResult Publish(const ScorePublication& publication, std::int64_t weekStart) override;
    std::vector<RankedPlayer> TopPlayers(std::size_t count) override;
    std::optional<RankedPlayer> FindPlayer(const std::string& playerId) override;
    std::int64_t PlayerCount() override;

private:
    std::mutex mutex_;  // one connection, shared by the server's threads
    SqliteDb db_;
};
