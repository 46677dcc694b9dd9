// What both stores share above their sessions: the lists' readings and the replays'
// steps, run in a session each store opens its own way (publications stay theirs).
#pragma once

#include <functional>

#include "score_ranking.h"
#include "score_store.h"
#include "sql_batch.h"

class SqlScoreStore : public IScoreStore {
public:
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

protected:
    // A session that reads, one in a write transaction, and one in a write
    // transaction that holds the lock publications take (for what changes the
    // lists' counts).
    enum class SessionKind { Read, Write, ListsLocked };

    explicit SqlScoreStore(const RankingDialect& dialect) : dialect_(dialect) {}
    // Runs work in a session of that kind, which lives as long as the call.
    virtual void WithSession(SessionKind kind, const std::function<void(ISqlSession&)>& work) = 0;

private:
    // The result of work run in a session of that kind.
    template <class Work>
    auto In(SessionKind kind, Work work);

    const RankingDialect& dialect_;
};
