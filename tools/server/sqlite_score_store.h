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
    std::vector<RankedPlayer> TopVerifiedPlayers(std::size_t count) override;
    std::int64_t VerifiedPlayerCount() override;
    ReplayUploadResult AddReplay(const ReplayUpload& upload, std::int64_t maxWaiting) override;
    std::optional<ClaimedReplay> ClaimReplay(const std::string& worker, std::int64_t now,
                                             std::int64_t staleBefore) override;
    void FinishReplay(std::int64_t replay, const ReplayVerdictRecord& verdict) override;
    void ReleaseReplay(std::int64_t replay) override;
    std::optional<ReplayStatus> FindReplay(std::int64_t replay, bool withText) override;
    std::int64_t PruneReplays(std::int64_t uploadedBefore) override;

private:
    std::mutex mutex_;  // one connection, shared by the server's threads
    SqliteDb db_;
};
