// The ranking list on SQLite: a players table holding each player's data and
// best score, and a publications table holding every score with its time.
#include "sqlite_score_store.h"

#include <random>

namespace {

constexpr const char* kSchema = R"sql(
PRAGMA journal_mode = WAL;
PRAGMA synchronous = NORMAL;
CREATE TABLE IF NOT EXISTS players (
    seq INTEGER PRIMARY KEY,
    id TEXT NOT NULL UNIQUE,
    name TEXT NOT NULL DEFAULT '', city TEXT NOT NULL DEFAULT '', country TEXT NOT NULL DEFAULT '',
    email TEXT NOT NULL DEFAULT '', age INTEGER NOT NULL DEFAULT 0, sex TEXT NOT NULL DEFAULT '',
    comment TEXT NOT NULL DEFAULT '', games_started INTEGER NOT NULL DEFAULT 0,
    games_won INTEGER NOT NULL DEFAULT 0, stat_text TEXT NOT NULL DEFAULT '',
    best_score INTEGER NOT NULL DEFAULT 0, best_at INTEGER NOT NULL DEFAULT 0,
    best_seq INTEGER NOT NULL DEFAULT 0,
    created_at INTEGER NOT NULL, updated_at INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS players_by_rank ON players (best_score DESC, best_at, best_seq);
CREATE TABLE IF NOT EXISTS publications (
    seq INTEGER PRIMARY KEY,
    player_seq INTEGER NOT NULL REFERENCES players (seq),
    score INTEGER NOT NULL,
    published_at INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS publications_by_time ON publications (published_at);
PRAGMA user_version = 1;
)sql";

constexpr const char* kPlayerColumns =
    "p.id, p.best_score, p.best_at, p.name, p.city, p.country, p.email, p.age, p.sex, p.comment, "
    "p.games_started, p.games_won, p.stat_text";

RankedPlayer ReadPlayer(const SqliteStatement& s) {
    RankedPlayer r;
    r.playerId = s.Text(0);
    r.score = static_cast<std::int32_t>(s.Int(1));
    r.scoreAt = s.Int(2);
    r.data.name = s.Text(3);
    r.data.city = s.Text(4);
    r.data.country = s.Text(5);
    r.data.email = s.Text(6);
    r.data.age = static_cast<std::int32_t>(s.Int(7));
    r.data.sex = s.Text(8);
    r.data.comment = s.Text(9);
    r.data.gamesStarted = s.Int(10);
    r.data.gamesWon = s.Int(11);
    r.data.statText = s.Text(12);
    return r;
}

}  // namespace

std::string NewPlayerId() {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string id(16, ' ');
    for (char& c : id) c = kAlphabet[pick(generator)];
    return id;
}

SqliteScoreStore::SqliteScoreStore(const std::string& path) : db_(path) {
    db_.Exec(kSchema);
}

std::optional<SqliteScoreStore::Best> SqliteScoreStore::LoadPlayer(const std::string& playerId) {
    SqliteStatement s(db_, "SELECT seq, best_score, best_at, best_seq FROM players WHERE id = ?1");
    s.Bind(1, playerId);
    if (!s.Step()) return std::nullopt;
    return Best{s.Int(0), s.Int(1), s.Int(2), s.Int(3)};
}

std::int64_t SqliteScoreStore::CreatePlayer(const ScorePublication& p, std::string& playerId) {
    do playerId = NewPlayerId();
    while (LoadPlayer(playerId));
    SqliteStatement s(db_, "INSERT INTO players (id, created_at, updated_at) VALUES (?1, ?2, ?2)");
    s.Bind(1, playerId).Bind(2, p.at).Run();
    return db_.LastInsertId();
}

std::int64_t SqliteScoreStore::OverallRank(std::int64_t score, std::int64_t at, std::int64_t seq) {
    SqliteStatement s(db_,
                      "SELECT (SELECT COUNT(*) FROM players WHERE best_score > ?1) + "
                      "(SELECT COUNT(*) FROM players WHERE best_score = ?1 AND "
                      "(best_at < ?2 OR (best_at = ?2 AND best_seq < ?3))) + 1");
    s.Bind(1, score).Bind(2, at).Bind(3, seq).Step();
    return s.Int(0);
}

std::optional<std::int64_t> SqliteScoreStore::WeeklyRank(std::int64_t playerSeq, std::int64_t weekStart,
                                                         std::int64_t upToSeq, std::int32_t* topScore) {
    // Each player's best publication of the week, among those up to upToSeq.
    SqliteStatement s(db_, R"sql(
WITH week AS (
    SELECT player_seq, score, published_at, seq,
           ROW_NUMBER() OVER (PARTITION BY player_seq ORDER BY score DESC, published_at, seq) AS nth
    FROM publications WHERE published_at >= ?1 AND seq <= ?2),
best AS (SELECT player_seq, score, published_at, seq FROM week WHERE nth = 1),
me AS (SELECT score, published_at, seq FROM best WHERE player_seq = ?3)
SELECT (SELECT COUNT(*) FROM me),
       (SELECT COUNT(*) FROM best, me WHERE best.score > me.score OR (best.score = me.score AND
            (best.published_at < me.published_at OR (best.published_at = me.published_at AND best.seq < me.seq)))) + 1,
       (SELECT COALESCE(MAX(score), 0) FROM best))sql");
    s.Bind(1, weekStart).Bind(2, upToSeq).Bind(3, playerSeq).Step();
    if (topScore) *topScore = static_cast<std::int32_t>(s.Int(2));
    if (s.Int(0) == 0) return std::nullopt;
    return s.Int(1);
}

PublishResult SqliteScoreStore::Publish(const ScorePublication& p, std::int64_t weekStart) {
    std::lock_guard lock(mutex_);
    SqliteTransaction transaction(db_);
    PublishResult r;
    const std::optional<Best> old = p.playerId.empty() ? std::nullopt : LoadPlayer(p.playerId);
    std::int64_t playerSeq;
    if (old) {
        r.playerId = p.playerId;
        playerSeq = old->playerSeq;
        r.overall.oldRank = OverallRank(old->score, old->at, old->seq);
    } else {
        r.newPlayer = true;
        playerSeq = CreatePlayer(p, r.playerId);
    }
    SqliteStatement insert(db_,
                           "INSERT INTO publications (player_seq, score, published_at) VALUES (?1, ?2, ?3)");
    insert.Bind(1, playerSeq).Bind(2, p.score).Bind(3, p.at).Run();
    const std::int64_t publicationSeq = db_.LastInsertId();

    const bool better = !old || p.score > old->score;
    const Best best = better ? Best{playerSeq, p.score, p.at, publicationSeq} : *old;
    SqliteStatement update(
        db_,
        "UPDATE players SET name = ?2, city = ?3, country = ?4, email = ?5, age = ?6, "
        "sex = ?7, comment = ?8, games_started = ?9, games_won = ?10, stat_text = ?11, "
        "best_score = ?12, best_at = ?13, best_seq = ?14, updated_at = ?15 WHERE seq = ?1");
    const PlayerData& d = p.data;
    update.Bind(1, playerSeq).Bind(2, d.name).Bind(3, d.city).Bind(4, d.country).Bind(5, d.email);
    update.Bind(6, d.age).Bind(7, d.sex).Bind(8, d.comment).Bind(9, d.gamesStarted).Bind(10, d.gamesWon);
    update.Bind(11, d.statText)
        .Bind(12, best.score)
        .Bind(13, best.at)
        .Bind(14, best.seq)
        .Bind(15, p.at)
        .Run();

    r.overall.rank = OverallRank(best.score, best.at, best.seq);
    SqliteStatement top(db_, "SELECT MAX(best_score) FROM players");
    top.Step();
    r.overall.topScore = static_cast<std::int32_t>(top.Int(0));
    r.weekly.oldRank = WeeklyRank(playerSeq, weekStart, publicationSeq - 1, nullptr);
    r.weekly.rank = WeeklyRank(playerSeq, weekStart, publicationSeq, &r.weekly.topScore).value_or(0);
    transaction.Commit();
    return r;
}

std::vector<RankedPlayer> SqliteScoreStore::TopPlayers(std::size_t count) {
    std::lock_guard lock(mutex_);
    SqliteStatement s(db_, std::string("SELECT ") + kPlayerColumns +
                               " FROM players p ORDER BY p.best_score DESC, p.best_at, p.best_seq LIMIT ?1");
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
    SqliteStatement s(
        db_, std::string("SELECT ") + kPlayerColumns + ", p.best_seq FROM players p WHERE p.id = ?1");
    s.Bind(1, playerId);
    if (!s.Step()) return std::nullopt;
    RankedPlayer r = ReadPlayer(s);
    const std::int64_t bestSeq = s.Int(13);
    r.rank = OverallRank(r.score, r.scoreAt, bestSeq);
    return r;
}

std::int64_t SqliteScoreStore::PlayerCount() {
    std::lock_guard lock(mutex_);
    SqliteStatement s(db_, "SELECT COUNT(*) FROM players");
    s.Step();
    return s.Int(0);
}
