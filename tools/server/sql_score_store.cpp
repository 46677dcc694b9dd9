// The shared steps run in the store's sessions.
#include "sql_score_store.h"

#include <type_traits>

#include "replay_records.h"

template <class Work>
auto SqlScoreStore::In(SessionKind kind, Work work) {
    using Result = std::invoke_result_t<Work, ISqlSession&>;
    if constexpr (std::is_void_v<Result>) {
        WithSession(kind, work);
    } else {
        Result result{};
        WithSession(kind, [&](ISqlSession& session) { result = work(session); });
        return result;
    }
}

std::vector<RankedPlayer> SqlScoreStore::TopPlayers(std::size_t count) {
    return In(SessionKind::Read, [&](ISqlSession& s) { return ReadTopPlayers(s, count); });
}

std::optional<RankedPlayer> SqlScoreStore::FindPlayer(const std::string& playerId) {
    return In(SessionKind::Read, [&](ISqlSession& s) { return ReadPlayer(s, playerId); });
}

std::int64_t SqlScoreStore::PlayerCount() {
    return In(SessionKind::Read, [](ISqlSession& s) { return CountPlayers(s); });
}

std::vector<RankedPlayer> SqlScoreStore::TopVerifiedPlayers(std::size_t count) {
    return In(SessionKind::Read, [&](ISqlSession& s) { return ReadTopVerifiedPlayers(s, count); });
}

std::int64_t SqlScoreStore::VerifiedPlayerCount() {
    return In(SessionKind::Read, [](ISqlSession& s) { return CountVerifiedPlayers(s); });
}

ReplayUploadResult SqlScoreStore::AddReplay(const ReplayUpload& upload, std::int64_t maxWaiting) {
    return In(SessionKind::Write, [&](ISqlSession& s) { return AddReplayRecord(s, upload, maxWaiting); });
}

std::optional<ClaimedReplay> SqlScoreStore::ClaimReplay(const std::string& worker, std::int64_t now,
                                                        std::int64_t staleBefore) {
    // The claim passes over rows another server is claiming: no lock is needed.
    return In(SessionKind::Write,
              [&](ISqlSession& s) { return ClaimReplayRecord(s, dialect_, worker, now, staleBefore); });
}

void SqlScoreStore::FinishReplay(std::int64_t replay, const ReplayVerdictRecord& verdict) {
    // A verified score changes the lists' counts, as a publication does.
    In(SessionKind::ListsLocked, [&](ISqlSession& s) { FinishReplayRecord(s, replay, verdict); });
}

void SqlScoreStore::ReleaseReplay(std::int64_t replay) {
    In(SessionKind::Write, [&](ISqlSession& s) { ReleaseReplayRecord(s, replay); });
}

std::optional<ReplayStatus> SqlScoreStore::FindReplay(std::int64_t replay, bool withText) {
    return In(SessionKind::Read, [&](ISqlSession& s) { return ReadReplayRecord(s, replay, withText); });
}

std::int64_t SqlScoreStore::PruneReplays(std::int64_t uploadedBefore) {
    return In(SessionKind::Write, [&](ISqlSession& s) { return PruneReplayRecords(s, uploadedBefore); });
}
