// One publication: the player looked up, then in one batch the lock, a check
// that the lookup still holds, the places before, the writes, and the places
// and the lists' top scores after.
#include "list_places.h"
#include "score_ranking.h"

namespace {

std::optional<ListEntry> EntryOf(const SqlRow& row, std::size_t first) {
    const std::optional<std::int64_t> score = OptionalIntOf(row[first]);
    if (!score) return std::nullopt;
    return ListEntry{*score, IntOf(row[first + 1]), IntOf(row[first + 2])};
}

// What a publication learns before it writes: the player's entries in both
// lists (no best for a new player) and, where only verified scores rank, in
// both verified lists; the player's number, and whether the ID meant for a
// new player is taken.
struct Lookup {
    std::optional<ListEntry> best;
    std::optional<ListEntry> weeklyBest;
    std::optional<ListEntry> verifiedBest;
    std::optional<ListEntry> verifiedWeeklyBest;
    std::int64_t playerSeq = 0;  // the player's, or the number a new player gets
    bool freshIdTaken = false;
};

Lookup LookUp(ISqlSession& db, const RankingDialect& d, const std::string& playerId,
              const std::string& freshId, std::int64_t weekStart, ListRanking ranking) {
    const bool verified = ranking == ListRanking::VerifiedScores;
    const std::vector<SqlRows> rows = db.Run({
        {std::string(
             "SELECT p.seq, p.best_score, p.best_at, p.best_seq, w.score, w.scored_at, w.publication_seq") +
             (verified
                  ? ", v.score, v.scored_at, v.publication_seq, vw.score, vw.scored_at, vw.publication_seq"
                  : "") +
             " FROM players p LEFT JOIN weekly_best w ON w.week_start = $2 AND w.player_seq = p.seq " +
             (verified ? "LEFT JOIN verified_best v ON v.week_start = 0 AND v.player_seq = p.seq "
                         "LEFT JOIN verified_best vw ON vw.week_start = $2 AND vw.player_seq = p.seq "
                       : "") +
             "WHERE p.id = $1",
         {playerId, weekStart}},
        // A returning player takes no number (PostgreSQL's sequences do not give them back).
        {"SELECT CASE WHEN EXISTS (SELECT 1 FROM players WHERE id = $2) THEN 0 ELSE " + d.nextPlayerSeq +
             " END, CASE WHEN EXISTS (SELECT 1 FROM players WHERE id = $1) THEN 1 ELSE 0 END",
         {freshId, playerId}},
    });
    Lookup l;
    l.playerSeq = IntOf(rows[1].at(0)[0]);
    l.freshIdTaken = IntOf(rows[1].at(0)[1]) != 0;
    if (!rows[0].empty()) {
        const SqlRow& player = rows[0][0];
        l.playerSeq = IntOf(player[0]);
        l.best = EntryOf(player, 1);
        l.weeklyBest = EntryOf(player, 4);
        if (verified) {
            l.verifiedBest = EntryOf(player, 7);
            l.verifiedWeeklyBest = EntryOf(player, 10);
        }
    }
    return l;
}

// The player the publication names, or a new one with a fresh ID (r.playerId, r.newPlayer).
Lookup LookUpPlayer(ISqlSession& db, const RankingDialect& d, const ScorePublication& p,
                    std::int64_t weekStart, PublishResult& r) {
    const std::string& playerId = p.playerId;
    Lookup l;
    do {
        r.playerId = NewPlayerId();
        l = LookUp(db, d, playerId, r.playerId, weekStart, p.ranking);
    } while (!l.best && l.freshIdTaken);
    r.newPlayer = !l.best;
    if (!r.newPlayer) r.playerId = playerId;
    return l;
}

void AppendEntryIs(SqlBuilder& sql, const char* score, const char* at, const char* seq, const ListEntry& e) {
    sql << " AND " << score << " = ";
    sql.Param(e.score) << " AND " << at << " = ";
    sql.Param(e.at) << " AND " << seq << " = ";
    sql.Param(e.seq);
}

// A statement that fails unless the player and their week's entry are still
// as looked up: PostgreSQL cannot read the text of the other case as a number.
SqlStatement Guard(const Lookup& l, const std::string& freshId, std::int64_t weekStart) {
    SqlBuilder sql;
    sql << "SELECT CAST(CASE WHEN ";
    if (l.best) {
        sql << "EXISTS (SELECT 1 FROM players WHERE seq = ";
        sql.Param(l.playerSeq);
        AppendEntryIs(sql, "best_score", "best_at", "best_seq", *l.best);
    } else {
        sql << "NOT EXISTS (SELECT 1 FROM players WHERE id = ";
        sql.Param(freshId);
    }
    sql << (l.weeklyBest ? ") AND EXISTS" : ") AND NOT EXISTS")
        << " (SELECT 1 FROM weekly_best WHERE week_start = ";
    sql.Param(weekStart) << " AND player_seq = ";
    sql.Param(l.playerSeq);
    if (l.weeklyBest) AppendEntryIs(sql, "score", "scored_at", "publication_seq", *l.weeklyBest);
    sql << ") THEN '1' ELSE 'changed since the lookup' END AS INTEGER)";
    return sql.Take();
}

SqlStatement SavePlayer(std::int64_t playerSeq, const ScorePublication& p, const ListEntry& best) {
    const PlayerData& d = p.data;
    const std::pair<const char*, SqlValue> columns[] = {{"name", d.name},
                                                        {"city", d.city},
                                                        {"country", d.country},
                                                        {"email", d.email},
                                                        {"age", std::int64_t{d.age}},
                                                        {"sex", d.sex},
                                                        {"comment", d.comment},
                                                        {"games_started", d.gamesStarted},
                                                        {"games_won", d.gamesWon},
                                                        {"stat_text", d.statText},
                                                        {"best_score", best.score},
                                                        {"best_at", best.at},
                                                        {"updated_at", p.at},
                                                        {"last_record_sum", std::int64_t{p.recordSum}}};
    SqlBuilder sql;
    sql << "UPDATE players SET ";
    for (const auto& [column, value] : columns) {
        sql << column << " = ";
        sql.Param(value) << ", ";
    }
    sql << "best_seq = ";
    AppendPublicationSeq(sql, best.seq);
    // The publication a replay upload binds to: the player's latest.
    sql << ", last_publication = ";
    AppendPublicationSeq(sql, ThisPublication);
    sql << " WHERE seq = ";
    sql.Param(playerSeq);
    return sql.Take();
}

SqlStatement SaveWeeklyBest(RankList week, std::int64_t playerSeq, const ListEntry& best) {
    SqlBuilder sql;
    sql << "INSERT INTO weekly_best (week_start, player_seq, score, scored_at, publication_seq) VALUES (";
    sql.Param(week.weekStart) << ", ";
    sql.Param(playerSeq) << ", ";
    sql.Param(best.score) << ", ";
    sql.Param(best.at) << ", ";
    AppendPublicationSeq(sql, best.seq);
    sql << ") ON CONFLICT (week_start, player_seq) DO UPDATE SET score = excluded.score, "
           "scored_at = excluded.scored_at, publication_seq = excluded.publication_seq";
    return sql.Take();
}

// The lists a reply speaks of, and the player's entries in them before and
// after the publication (after: none where the player did not move).
struct ReplyLists {
    RankList overall, weekly;
    std::optional<ListEntry> overallBefore, weeklyBefore;
    std::optional<ListEntry> overallAfter, weeklyAfter;
};

// Appends the places of the entries in both lists (how many players stand
// before each) to a SELECT; NULL for an entry that is not there.
void AppendPlaces(SqlBuilder& sql, const ReplyLists& lists, const std::optional<ListEntry>& overall,
                  const std::optional<ListEntry>& weekly) {
    sql << "SELECT ";
    if (overall)
        AppendPlayersBefore(sql, lists.overall, *overall);
    else
        sql << "NULL";
    sql << ", ";
    if (weekly)
        AppendPlayersBefore(sql, lists.weekly, *weekly);
    else
        sql << "NULL";
}

// Appends the list's best score (0 for an empty list).
void AppendTopScore(SqlBuilder& sql, RankList list) {
    if (list.kind == OverallRankList.kind) {
        sql << "COALESCE((SELECT best_score FROM players ORDER BY best_score DESC LIMIT 1), 0)";
        return;
    }
    sql << "COALESCE((SELECT score FROM "
        << (list.kind == WeeklyRankList(0).kind ? "weekly_best" : "verified_best") << " WHERE week_start = ";
    sql.Param(list.weekStart) << " ORDER BY score DESC LIMIT 1), 0)";
}

std::optional<std::int64_t> PlaceOf(const SqlValue& playersBefore) {
    const std::optional<std::int64_t> before = OptionalIntOf(playersBefore);
    return before ? std::optional(*before + 1) : std::nullopt;
}

// Where a publication moves the player: the entries before, and the new
// entries in the lists where the publication is the player's new best.
struct Moves {
    const Lookup& before;
    std::optional<ListEntry> best;
    std::optional<ListEntry> weeklyBest;
    RankList week;
};

// The new player, the publication, the player's data and best score, the week's best and the counts.
void AppendWrites(std::vector<SqlStatement>& batch, const ScorePublication& p, const std::string& playerId,
                  const Moves& m) {
    const std::int64_t playerSeq = m.before.playerSeq;
    if (!m.before.best)
        batch.push_back({"INSERT INTO players (seq, id, created_at, updated_at) VALUES ($1, $2, $3, $3)",
                         {playerSeq, playerId, p.at}});
    batch.push_back({"INSERT INTO publications (player_seq, score, published_at) VALUES ($1, $2, $3)",
                     {playerSeq, std::int64_t{p.score}, p.at}});
    batch.push_back(SavePlayer(playerSeq, p, m.best ? *m.best : *m.before.best));
    const auto scoreOf = [](const std::optional<ListEntry>& e) {
        return e ? std::optional(e->score) : std::nullopt;
    };
    std::vector<RankCountChange> changes;
    if (m.best) AddRankCountChanges(changes, OverallRankList, scoreOf(m.before.best), m.best->score);
    if (m.weeklyBest) {
        batch.push_back(SaveWeeklyBest(m.week, playerSeq, *m.weeklyBest));
        AddRankCountChanges(changes, m.week, scoreOf(m.before.weeklyBest), m.weeklyBest->score);
    }
    if (!changes.empty()) batch.push_back(RankCountChangesStatement(changes));
}

// The places after, where the player moved, and both lists' top scores.
SqlStatement PlacesAfter(const ReplyLists& lists) {
    SqlBuilder sql;
    AppendPlaces(sql, lists, lists.overallAfter, lists.weeklyAfter);
    sql << ", ";
    AppendTopScore(sql, lists.overall);
    sql << ", ";
    AppendTopScore(sql, lists.weekly);
    return sql.Take();
}

// The entry that stands first in a list's order.
std::optional<ListEntry> Better(const std::optional<ListEntry>& a, const ListEntry& b) {
    if (a && (a->score > b.score || (a->score == b.score && a->at <= b.at))) return a;
    return b;
}

// The lists the reply reports: those the publication moved the player in, or,
// where only verified scores rank, the verified lists with the place the
// score takes there once its replay is verified.
ReplyLists ListsOfReply(const ScorePublication& p, const Lookup& l, const Moves& m) {
    if (p.ranking == ListRanking::AllScores)
        return {OverallRankList, m.week, l.best, l.weeklyBest, m.best, m.weeklyBest};
    const ListEntry published{p.score, p.at, ThisPublication};
    return {VerifiedRankList,
            VerifiedWeeklyRankList(m.week.weekStart),
            l.verifiedBest,
            l.verifiedWeeklyBest,
            Better(l.verifiedBest, published),
            Better(l.verifiedWeeklyBest, published)};
}

}  // namespace

PublishResult PublishScore(ISqlSession& db, const RankingDialect& d, const ScorePublication& p,
                           std::int64_t weekStart, const std::vector<SqlStatement>& lock) {
    PublishResult r;
    const Lookup l = LookUpPlayer(db, d, p, weekStart, r);

    // Only a higher score is a new best: reaching the same score again keeps the earlier place.
    const auto movedTo = [&](const std::optional<ListEntry>& old) {
        return !old || p.score > old->score ? std::optional(ListEntry{p.score, p.at, ThisPublication})
                                            : std::nullopt;
    };
    const Moves moves{l, movedTo(l.best), movedTo(l.weeklyBest), WeeklyRankList(weekStart)};
    const ReplyLists lists = ListsOfReply(p, l, moves);
    std::vector<SqlStatement> batch = lock;
    if (!lock.empty()) batch.push_back(Guard(l, r.playerId, weekStart));
    const std::size_t guard = batch.size() - 1;  // meaningful when there is a lock
    SqlBuilder before;
    AppendPlaces(before, lists, lists.overallBefore, lists.weeklyBefore);
    batch.push_back(before.Take());
    const std::size_t placesBefore = batch.size() - 1;
    AppendWrites(batch, p, r.playerId, moves);
    batch.push_back(PlacesAfter(lists));

    std::vector<SqlRows> rows;
    try {
        rows = db.RunAndCommit(batch);
    } catch (const ESqlStatementError& e) {
        if (!lock.empty() && e.statement == guard) throw EStaleLookup();
        throw;
    }
    // A list the entry did not move in is as it was: under the lock no one else changed it.
    const SqlRow& old = rows.at(placesBefore).at(0);
    const SqlRow& now = rows.back().at(0);
    r.overall = {IntOf(lists.overallAfter ? now[0] : old[0]) + 1, PlaceOf(old[0]),
                 static_cast<std::int32_t>(IntOf(now[2]))};
    r.weekly = {IntOf(lists.weeklyAfter ? now[1] : old[1]) + 1, PlaceOf(old[1]),
                static_cast<std::int32_t>(IntOf(now[3]))};
    return r;
}
