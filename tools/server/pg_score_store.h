// The ranking list in a PostgreSQL database, so that several server
// instances (behind a load balancer) can share one list. Publications from
// every instance are stored one after another under a lock the database
// holds, so ranks stay right however they interleave.
#pragma once

#include <cstddef>
#include <string>

#include "pg_db.h"
#include "score_store.h"

class PgScoreStore : public IScoreStore {
public:
    // conninfo: a postgresql:// URI (or libpq's "key=value" settings). Creates
    // the tables when they are missing. Throws EPgError when it cannot.
    PgScoreStore(const std::string& conninfo, std::size_t maxConnections);

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
    PgPool pool_;
};
