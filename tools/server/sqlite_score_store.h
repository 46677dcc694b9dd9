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
    struct Best {
        std::int64_t playerSeq;
        std::int64_t score, at, seq;
    };
    std::optional<Best> LoadPlayer(const std::string& playerId);
    std::int64_t CreatePlayer(const ScorePublication& p, std::string& playerId);
    std::int64_t OverallRank(std::int64_t score, std::int64_t at, std::int64_t seq);
    std::optional<std::int64_t> WeeklyRank(std::int64_t playerSeq, std::int64_t weekStart,
                                           std::int64_t upToSeq, std::int32_t* topScore);

    std::mutex mutex_;  // one connection, shared by the server's threads
    SqliteDb db_;
};

// A fresh player ID: 16 random letters and digits.
std::string NewPlayerId();
