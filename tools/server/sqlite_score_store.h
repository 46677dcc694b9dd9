// The ranking list in an SQLite file in the server's data folder.
#pragma once

#include <mutex>
#include <string>

#include "score_ranking.h"
#include "score_store.h"
#include "sqlite_db.h"

class SqliteScoreStore : public IScoreStore, private IRankingTables {
public:
    // Opens or creates the database (":memory:" for a private one) and its tables.
    explicit SqliteScoreStore(const std::string& path);

    PublishResult Publish(const ScorePublication& publication, std::int64_t weekStart) override;
    std::vector<RankedPlayer> TopPlayers(std::size_t count) override;
    std::optional<RankedPlayer> FindPlayer(const std::string& playerId) override;
    std::int64_t PlayerCount() override;

private:
    std::optional<Player> FindPlayerById(const std::string& playerId) override;
    std::int64_t AddPlayer(const std::string& playerId, std::int64_t at) override;
    std::int64_t AddPublication(std::int64_t playerSeq, std::int32_t score, std::int64_t at) override;
    void SavePlayer(std::int64_t playerSeq, const PlayerData& data, const ListEntry& best,
                    std::int64_t at) override;
    std::optional<ListEntry> WeeklyBest(std::int64_t weekStart, std::int64_t playerSeq) override;
    void SaveWeeklyBest(std::int64_t weekStart, std::int64_t playerSeq, const ListEntry& best) override;
    std::int64_t PlayersBefore(const ListEntry& entry) override;
    std::int64_t WeeklyPlayersBefore(std::int64_t weekStart, const ListEntry& entry) override;
    std::int32_t TopScore() override;
    std::int32_t WeeklyTopScore(std::int64_t weekStart) override;

    std::mutex mutex_;  // one connection, shared by the server's threads
    SqliteDb db_;
};
