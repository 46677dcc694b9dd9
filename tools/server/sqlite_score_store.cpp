// The ranking list on SQLite: a players table holding each player's data and
// best score, every publication with its time, and each player's best score
// of each week.
#include "sqlite_score_store.h"

namespace {

// Write-ahead log: the list page reads while a publication writes.
constexpr const char* kSettings = "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;";

RankedPlayer ReadPlayer(const SqliteStatement& s) {
    return ReadRankedPlayer([&](int c) { return s.Text(c); }, [&](int c) { return s.Int(c); });
}

}  // namespace

SqliteScoreStore::SqliteScoreStore(const std::string& path) : db_(path) {
    db_.Exec(kSettings);
    // SQLite's INTEGER holds 64 bits; an INTEGER PRIMARY KEY numbers itself.
    db_.Exec(RankingSchema("INTEGER PRIMARY KEY", "INTEGER") + "PRAGMA user_version = 2;");
}

std::optional<IRankingTables::Player> SqliteScoreStore::FindPlayerById(const std::string& playerId) {
    SqliteStatement s(db_, "SELECT seq, best_score, best_at, best_seq FROM players WHERE id = ?1");
    s.Bind(1, playerId);
    if (!s.Step()) return std::nullopt;
    return Player{s.Int(0), {s.Int(1), s.Int(2), s.Int(3)}};
}

std::int64_t SqliteScoreStore::AddPlayer(const std::string& playerId, std::int64_t at) {
    SqliteStatement s(db_, "INSERT INTO players (id, created_at, updated_at) VALUES (?1, ?2, ?2)");
    s.Bind(1, playerId).Bind(2, at).Run();
    return db_.LastInsertId();
}

std::int64_t SqliteScoreStore::AddPublication(std::int64_t playerSeq, std::int32_t score, std::int64_t at) {
    SqliteStatement s(db_, "INSERT INTO publications (player_seq, score, published_at) VALUES (?1, ?2, ?3)");
    s.Bind(1, playerSeq).Bind(2, score).Bind(3, at).Run();
    return db_.LastInsertId();
}

void SqliteScoreStore::SavePlayer(std::int64_t playerSeq, const PlayerData& d, const ListEntry& best,
                                  std::int64_t at) {
    SqliteStatement s(db_,
                      "UPDATE players SET name = ?2, city = ?3, country = ?4, email = ?5, age = ?6, "
                      "sex = ?7, comment = ?8, games_started = ?9, games_won = ?10, stat_text = ?11, "
                      "best_score = ?12, best_at = ?13, best_seq = ?14, updated_at = ?15 WHERE seq = ?1");
    s.Bind(1, playerSeq).Bind(2, d.name).Bind(3, d.city).Bind(4, d.country).Bind(5, d.email);
    s.Bind(6, d.age).Bind(7, d.sex).Bind(8, d.comment).Bind(9, d.gamesStarted).Bind(10, d.gamesWon);
    s.Bind(11, d.statText).Bind(12, best.score).Bind(13, best.at).Bind(14, best.seq).Bind(15, at).Run();
}

std::optional<ListEntry> SqliteScoreStore::WeeklyBest(std::int64_t weekStart, std::int64_t playerSeq) {
    SqliteStatement s(db_,
                      "SELECT score, scored_at, publication_seq FROM weekly_best "
                      "WHERE week_start = ?1 AND player_seq = ?2");
    s.Bind(1, weekStart).Bind(2, playerSeq);
    if (!s.Step()) return std::nullopt;
    return ListEntry{s.Int(0), s.Int(1), s.Int(2)};
}

void SqliteScoreStore::SaveWeeklyBest(std::int64_t weekStart, std::int64_t playerSeq, const ListEntry& best) {
    SqliteStatement s(db_,
                      "INSERT OR REPLACE INTO weekly_best (week_start, player_seq, score, scored_at, "
                      "publication_seq) VALUES (?1, ?2, ?3, ?4, ?5)");
    s.Bind(1, weekStart).Bind(2, playerSeq).Bind(3, best.score).Bind(4, best.at).Bind(5, best.seq).Run();
}

std::int64_t SqliteScoreStore::PlayersBefore(const ListEntry& e) {
    SqliteStatement s(
        db_,
        "SELECT (SELECT COUNT(*) FROM players WHERE best_score > ?1) + "
        "(SELECT COUNT(*) FROM players WHERE best_score = ?1 AND (best_at, best_seq) < (?2, ?3))");
    s.Bind(1, e.score).Bind(2, e.at).Bind(3, e.seq).Step();
    return s.Int(0);
}

std::int64_t SqliteScoreStore::WeeklyPlayersBefore(std::int64_t weekStart, const ListEntry& e) {
    SqliteStatement s(db_,
                      "SELECT (SELECT COUNT(*) FROM weekly_best WHERE week_start = ?1 AND score > ?2) + "
                      "(SELECT COUNT(*) FROM weekly_best WHERE week_start = ?1 AND score = ?2 AND "
                      "(scored_at, publication_seq) < (?3, ?4))");
    s.Bind(1, weekStart).Bind(2, e.score).Bind(3, e.at).Bind(4, e.seq).Step();
    return s.Int(0);
}

std::int32_t SqliteScoreStore::TopScore() {
    SqliteStatement s(db_, "SELECT best_score FROM players ORDER BY best_score DESC LIMIT 1");
    return s.Step() ? static_cast<std::int32_t>(s.Int(0)) : 0;
}

std::int32_t SqliteScoreStore::WeeklyTopScore(std::int64_t weekStart) {
    SqliteStatement s(db_, "SELECT score FROM weekly_best WHERE week_start = ?1 ORDER BY score DESC LIMIT 1");
    s.Bind(1, weekStart);
    return s.Step() ? static_cast<std::int32_t>(s.Int(0)) : 0;
}

PublishResult SqliteScoreStore::Publish(const ScorePublication& p, std::int64_t weekStart) {
    std::lock_guard lock(mutex_);
    SqliteTransaction transaction(db_);
    PublishResult r = PublishScore(*this, p, weekStart);
    transaction.Commit();
    return r;
}

std::vector<RankedPlayer> SqliteScoreStore::TopPlayers(std::size_t count) {
    std::lock_guard lock(mutex_);
    SqliteStatement s(db_, std::string("SELECT ") + RankingPlayerColumns +
                               " FROM players ORDER BY best_score DESC, best_at, best_seq LIMIT ?1");
    s.Bind(1, static_cast<std::int64_t>(count));
    std::vector<RankedPlayer> list;
    while (s.Step()) {
        list.push_back(ReadPlayer(s));
        list.back().rank = static_cast<std::int64_t>(list.size());
    }
    return list;
}

std::optional<RankedPlayer> SqliteScoreStore::FindPlayer(const std::string& playerId) {
    std::lock_guard lock(mutex_);
    SqliteStatement s(db_, std::string("SELECT ") + RankingPlayerColumns + " FROM players WHERE id = ?1");
    s.Bind(1, playerId);
    if (!s.Step()) return std::nullopt;
    RankedPlayer r = ReadPlayer(s);
    r.rank = PlayersBefore({r.score, r.scoreAt, s.Int(RankingBestSeqColumn)}) + 1;
    return r;
}

std::int64_t SqliteScoreStore::PlayerCount() {
    std::lock_guard lock(mutex_);
    SqliteStatement s(db_, "SELECT COUNT(*) FROM players");
    s.Step();
    return s.Int(0);
}
