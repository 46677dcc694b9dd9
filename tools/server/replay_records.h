// The replays' steps shared by both stores: an upload bound to its publication, a claim
// one worker of all servers gets, the verdict with the verified lists, retention.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "score_ranking.h"
#include "score_store.h"
#include "sql_batch.h"

// A replay claimed this often without a verdict (its verifiers died or were
// stopped) is rejected rather than claimed again.
constexpr std::int64_t MaxReplayClaims = 3;

// In the session's write transaction, which it commits when the replay is taken.
ReplayUploadResult AddReplayRecord(ISqlSession& db, const ReplayUpload& upload, std::int64_t maxWaiting);
// In the session's write transaction, which it commits.
std::optional<ClaimedReplay> ClaimReplayRecord(ISqlSession& db, const RankingDialect& dialect,
                                               const std::string& worker, std::int64_t now,
                                               std::int64_t staleBefore);
// In the session's write transaction under the lists' lock, which it commits.
void FinishReplayRecord(ISqlSession& db, std::int64_t replay, const ReplayVerdictRecord& verdict);
void ReleaseReplayRecord(ISqlSession& db, std::int64_t replay);
std::optional<ReplayStatus> ReadReplayRecord(ISqlSession& db, std::int64_t replay, bool withText);
std::int64_t PruneReplayRecords(ISqlSession& db, std::int64_t uploadedBefore);
