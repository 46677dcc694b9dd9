// Replays in the store: taken, claimed, judged and pruned.
#include "replay_records.h"

#include <vector>

#include "list_places.h"
#include "server_clock.h"

namespace {

// A list's entry from three columns (score, time, publication); none for NULL.
std::optional<ListEntry> EntryAt(const SqlRow& row, std::size_t first) {
    const std::optional<std::int64_t> score = OptionalIntOf(row[first]);
    if (!score) return std::nullopt;
    return ListEntry{*score, IntOf(row[first + 1]), IntOf(row[first + 2])};
}

// The list's order: the higher score, then the earlier time, then the earlier publication.
bool StandsBefore(const ListEntry& a, const ListEntry& b) {
    if (a.score != b.score) return a.score > b.score;
    return a.at != b.at ? a.at < b.at : a.seq < b.seq;
}

// A verified score enters a list of verified scores where it is the player's best there.
void EnterVerifiedList(std::vector<SqlStatement>& batch, std::vector<RankCountChange>& changes, RankList list,
                       std::int64_t playerSeq, const std::optional<ListEntry>& old, const ListEntry& entry) {
    if (old && !StandsBefore(entry, *old)) return;
    batch.push_back(
        {"INSERT INTO verified_best (week_start, player_seq, score, scored_at, publication_seq) "
         "VALUES ($1, $2, $3, $4, $5) ON CONFLICT (week_start, player_seq) DO UPDATE SET "
         "score = excluded.score, scored_at = excluded.scored_at, "
         "publication_seq = excluded.publication_seq",
         {list.weekStart, playerSeq, entry.score, entry.at, entry.seq}});
    AddRankCountChanges(changes, list, old ? std::optional(old->score) : std::nullopt, entry.score);
}

// The publication's score enters both lists of verified scores: overall and its week's.
void EnterVerifiedScore(ISqlSession& db, std::int64_t publication) {
    const SqlRows pub =
        db.Run({{"SELECT player_seq, score, published_at FROM publications WHERE seq = $1", {publication}}})
            .at(0);
    if (pub.empty()) return;
    const std::int64_t playerSeq = IntOf(pub[0][0]);
    const ListEntry entry{IntOf(pub[0][1]), IntOf(pub[0][2]), publication};
    const RankList week = VerifiedWeeklyRankList(WeekStart(entry.at));
    const SqlRow old =
        db.Run({{"SELECT o.score, o.scored_at, o.publication_seq, w.score, w.scored_at, w.publication_seq "
                 "FROM players p LEFT JOIN verified_best o ON o.week_start = 0 AND o.player_seq = p.seq "
                 "LEFT JOIN verified_best w ON w.week_start = $2 AND w.player_seq = p.seq WHERE p.seq = $1",
                 {playerSeq, week.weekStart}}})
            .at(0)
            .at(0);
    std::vector<SqlStatement> batch;
    std::vector<RankCountChange> changes;
    EnterVerifiedList(batch, changes, VerifiedRankList, playerSeq, EntryAt(old, 0), entry);
    EnterVerifiedList(batch, changes, week, playerSeq, EntryAt(old, 3), entry);
    if (!changes.empty()) batch.push_back(RankCountChangesStatement(changes));
    db.Run(batch);
}

}  // namespace

ReplayUploadResult AddReplayRecord(ISqlSession& db, const ReplayUpload& u, std::int64_t maxWaiting) {
    // The player's latest publication, and what it claimed: the players row keeps its data.
    const std::vector<SqlRows> rows = db.Run({
        {"SELECT p.last_publication, p.seq, pub.score, p.stat_text, p.games_won FROM players p "
         "JOIN publications pub ON pub.seq = p.last_publication WHERE p.id = $1 AND p.last_record_sum = $2",
         {u.playerId, std::int64_t{u.recordSum}}},
        {"SELECT COUNT(*) FROM replays WHERE state IN ('pending', 'checking')", {}},
    });
    ReplayUploadResult result;
    if (rows[0].empty()) {
        result.refusal = ReplayRefusal::NoPublication;
        return result;
    }
    if (IntOf(rows[1].at(0).at(0)) >= maxWaiting) {
        result.refusal = ReplayRefusal::QueueFull;
        return result;
    }
    const SqlRow& pub = rows[0][0];
    const SqlRows taken =
        db.RunAndCommit(
              {{"INSERT INTO replays (publication_seq, player_seq, uploaded_at, replay, score, stat_text, "
                "games_won, state) VALUES ($1, $2, $3, $4, $5, $6, $7, 'pending') "
                "ON CONFLICT (publication_seq) DO NOTHING RETURNING seq",
                {pub[0], pub[1], u.at, u.replay, pub[2], pub[3], pub[4]}}})
            .at(0);
    if (taken.empty())
        result.refusal = ReplayRefusal::AlreadyTaken;
    else
        result.replay = IntOf(taken[0][0]);
    return result;
}

std::optional<ClaimedReplay> ClaimReplayRecord(ISqlSession& db, const RankingDialect& d,
                                               const std::string& worker, std::int64_t now,
                                               std::int64_t staleBefore) {
    const SqlRows claimed =
        db.RunAndCommit({{"UPDATE replays SET state = 'rejected', reason = 'verification did not finish', "
                          "claimed_by = '', "
                          "checked_at = $1 WHERE state = 'checking' AND claimed_at < $2 AND attempts >= $3",
                          {now, staleBefore, MaxReplayClaims}},
                         {"UPDATE replays SET state = 'checking', claimed_by = $1, claimed_at = $2, attempts "
                          "= attempts + 1 "
                          "WHERE seq = (SELECT seq FROM replays WHERE state = 'pending' OR "
                          "(state = 'checking' AND claimed_at < $3) ORDER BY seq LIMIT 1" +
                              d.skipLocked + ") RETURNING seq, replay, score, stat_text, games_won",
                          {worker, now, staleBefore}}})
            .at(1);
    if (claimed.empty()) return std::nullopt;
    const SqlRow& r = claimed[0];
    return ClaimedReplay{IntOf(r[0]), TextOf(r[1]), static_cast<std::int32_t>(IntOf(r[2])), TextOf(r[3]),
                         IntOf(r[4])};
}

void FinishReplayRecord(ISqlSession& db, std::int64_t replay, const ReplayVerdictRecord& v) {
    const SqlRows judged =
        db.Run({{"UPDATE replays SET state = $2, reason = $3, outcome = $4, checked_at = $5, check_ms = $6, "
                 "claimed_by = '' WHERE seq = $1 AND state = 'checking' RETURNING publication_seq",
                 {replay, std::string(v.verified ? "verified" : "rejected"), v.reason, v.outcome, v.at,
                  v.checkMs}}})
            .at(0);
    // A replay given up meanwhile (claimed too long, deleted) keeps what it has.
    if (v.verified && !judged.empty()) EnterVerifiedScore(db, IntOf(judged[0][0]));
    db.RunAndCommit({});
}

void ReleaseReplayRecord(ISqlSession& db, std::int64_t replay) {
    db.RunAndCommit(
        {{"UPDATE replays SET state = 'pending', claimed_by = '', attempts = attempts - 1 "
          "WHERE seq = $1 AND state = 'checking'",
          {replay}}});
}

std::optional<ReplayStatus> ReadReplayRecord(ISqlSession& db, std::int64_t replay, bool withText) {
    const SqlRows rows = db.Run({{std::string("SELECT state, reason, outcome") +
                                      (withText ? ", replay" : "") + " FROM replays WHERE seq = $1",
                                  {replay}}})
                             .at(0);
    if (rows.empty()) return std::nullopt;
    ReplayStatus s{TextOf(rows[0][0]), TextOf(rows[0][1]), TextOf(rows[0][2]), {}};
    if (withText && s.state == "verified") s.text = TextOf(rows[0][3]);
    return s;
}

std::int64_t PruneReplayRecords(ISqlSession& db, std::int64_t uploadedBefore) {
    return static_cast<std::int64_t>(
        db.RunAndCommit({{"DELETE FROM replays WHERE uploaded_at < $1 AND publication_seq NOT IN "
                          "(SELECT publication_seq FROM verified_best WHERE week_start = 0) RETURNING seq",
                          {uploadedBefore}}})
            .at(0)
            .size());
}
