// The ranking list on PostgreSQL: the same tables as the SQLite store, and
// the publication steps run under a transaction-scoped advisory lock.
#include "pg_score_store.h"

#include "score_ranking.h"

namespace {

// Both the schema and every publication take the database's lock with this
// number ("VTR" and 1), so no two instances create tables or publish at once.
constexpr std::int64_t kSchemaLock = 0x56545230;
constexpr std::int64_t kPublishLock = 0x56545231;

RankedPlayer ReadPlayer(const PgResult& r, int row) {
    return ReadRankedPlayer([&](int c) { return r.Text(row, c); }, [&](int c) { return r.Int(row, c); });
}

std::int64_t PlayersBefore(PgConnection& c, const ListEntry& e) {
    return c
        .Exec(
            "SELECT (SELECT COUNT(*) FROM players WHERE best_score > $1) + "
            "(SELECT COUNT(*) FROM players WHERE best_score = $1 AND (best_at, best_seq) < ($2, $3))",
            {e.score, e.at, e.seq})
        .Int(0, 0);
}

// The publication steps on one connection, inside the caller's transaction.
class PgRankingTables : public IRankingTables {
public:
    explicit PgRankingTables(PgConnection& c) : c_(c) {}

    std::optional<Player> FindPlayerById(const std::string& playerId) override {
        const PgResult r =
            c_.Exec("SELECT seq, best_score, best_at, best_seq FROM players WHERE id = $1", {playerId});
        if (r.Rows() == 0) return std::nullopt;
        return Player{r.Int(0, 0), {r.Int(0, 1), r.Int(0, 2), r.Int(0, 3)}};
    }
    std::int64_t AddPlayer(const std::string& playerId, std::int64_t at) override {
        return c_
            .Exec("INSERT INTO players (id, created_at, updated_at) VALUES ($1, $2, $2) RETURNING seq",
                  {playerId, at})
            .Int(0, 0);
    }
    std::int64_t AddPublication(std::int64_t playerSeq, std::int32_t score, std::int64_t at) override {
        return c_
            .Exec(
                "INSERT INTO publications (player_seq, score, published_at) VALUES ($1, $2, $3) RETURNING "
                "seq",
                {playerSeq, score, at})
            .Int(0, 0);
    }
    void SavePlayer(std::int64_t playerSeq, const PlayerData& d, const ListEntry& best,
                    std::int64_t at) override {
        c_.Exec(
            "UPDATE players SET name = $2, city = $3, country = $4, email = $5, age = $6, sex = $7, "
            "comment = $8, games_started = $9, games_won = $10, stat_text = $11, best_score = $12, "
            "best_at = $13, best_seq = $14, updated_at = $15 WHERE seq = $1",
            {playerSeq, d.name, d.city, d.country, d.email, d.age, d.sex, d.comment, d.gamesStarted,
             d.gamesWon, d.statText, best.score, best.at, best.seq, at});
    }
    std::optional<ListEntry> WeeklyBest(std::int64_t weekStart, std::int64_t playerSeq) override {
        const PgResult r = c_.Exec(
            "SELECT score, scored_at, publication_seq FROM weekly_best WHERE week_start = $1 AND player_seq "
            "= $2",
            {weekStart, playerSeq});
        if (r.Rows() == 0) return std::nullopt;
        return ListEntry{r.Int(0, 0), r.Int(0, 1), r.Int(0, 2)};
    }
    void SaveWeeklyBest(std::int64_t weekStart, std::int64_t playerSeq, const ListEntry& best) override {
        c_.Exec(
            "INSERT INTO weekly_best (week_start, player_seq, score, scored_at, publication_seq) "
            "VALUES ($1, $2, $3, $4, $5) ON CONFLICT (week_start, player_seq) DO UPDATE SET "
            "score = EXCLUDED.score, scored_at = EXCLUDED.scored_at, publication_seq = "
            "EXCLUDED.publication_seq",
            {weekStart, playerSeq, best.score, best.at, best.seq});
    }
    std::int64_t PlayersBefore(const ListEntry& e) override { return ::PlayersBefore(c_, e); }
    std::int64_t WeeklyPlayersBefore(std::int64_t weekStart, const ListEntry& e) override {
        return c_
            .Exec(
                "SELECT (SELECT COUNT(*) FROM weekly_best WHERE week_start = $1 AND score > $2) + "
                "(SELECT COUNT(*) FROM weekly_best WHERE week_start = $1 AND score = $2 AND "
                "(scored_at, publication_seq) < ($3, $4))",
                {weekStart, e.score, e.at, e.seq})
            .Int(0, 0);
    }
    std::int32_t TopScore() override {
        const PgResult r = c_.Exec("SELECT best_score FROM players ORDER BY best_score DESC LIMIT 1");
        return r.Rows() ? static_cast<std::int32_t>(r.Int(0, 0)) : 0;
    }
    std::int32_t WeeklyTopScore(std::int64_t weekStart) override {
        const PgResult r = c_.Exec(
            "SELECT score FROM weekly_best WHERE week_start = $1 ORDER BY score DESC LIMIT 1", {weekStart});
        return r.Rows() ? static_cast<std::int32_t>(r.Int(0, 0)) : 0;
    }

private:
    PgConnection& c_;
};

}  // namespace

PgScoreStore::PgScoreStore(const std::string& conninfo, std::size_t maxConnections)
    : pool_(conninfo, maxConnections) {
    const PgPool::Lease c = pool_.Acquire();
    PgTransaction transaction(*c);
    c->Exec("SELECT pg_advisory_xact_lock($1)", {kSchemaLock});
    c->Exec(RankingSchema("BIGSERIAL PRIMARY KEY", "BIGINT"));
    transaction.Commit();
}

PublishResult PgScoreStore::Publish(const ScorePublication& p, std::int64_t weekStart) {
    const PgPool::Lease c = pool_.Acquire();
    PgTransaction transaction(*c);
    // Held until the commit: each publication sees every one stored before it.
    c->Exec("SELECT pg_advisory_xact_lock($1)", {kPublishLock});
    PgRankingTables tables(*c);
    PublishResult r = PublishScore(tables, p, weekStart);
    transaction.Commit();
    return r;
}

std::vector<RankedPlayer> PgScoreStore::TopPlayers(std::size_t count) {
    const PgPool::Lease c = pool_.Acquire();
    const PgResult r = c->Exec(std::string("SELECT ") + RankingPlayerColumns +
                                   " FROM players ORDER BY best_score DESC, best_at, best_seq LIMIT $1",
                               {static_cast<std::int64_t>(count)});
    std::vector<RankedPlayer> list;
    for (int row = 0; row < r.Rows(); ++row) {
        list.push_back(ReadPlayer(r, row));
        list.back().rank = row + 1;
    }
    return list;
}

std::optional<RankedPlayer> PgScoreStore::FindPlayer(const std::string& playerId) {
    const PgPool::Lease c = pool_.Acquire();
    const PgResult r =
        c->Exec(std::string("SELECT ") + RankingPlayerColumns + " FROM players WHERE id = $1", {playerId});
    if (r.Rows() == 0) return std::nullopt;
    RankedPlayer p = ReadPlayer(r, 0);
    p.rank = PlayersBefore(*c, {p.score, p.scoreAt, r.Int(0, RankingBestSeqColumn)}) + 1;
    return p;
}

std::int64_t PgScoreStore::PlayerCount() {
    const PgPool::Lease c = pool_.Acquire();
    return c->Exec("SELECT COUNT(*) FROM players").Int(0, 0);
}
