// The tables both stores share, the list's top, a player's place and new player IDs.
#include "score_ranking.h"

#include <sys/random.h>

#include <utility>

#include "list_places.h"

namespace {

// The tables; {key}, {bigint} and {clustered} are the dialect's words.
constexpr const char* kSchema[] = {
    R"sql(CREATE TABLE IF NOT EXISTS players (
    seq {key},
    id TEXT NOT NULL UNIQUE,
    name TEXT NOT NULL DEFAULT '', city TEXT NOT NULL DEFAULT '', country TEXT NOT NULL DEFAULT '',
    email TEXT NOT NULL DEFAULT '', age INTEGER NOT NULL DEFAULT 0, sex TEXT NOT NULL DEFAULT '',
    comment TEXT NOT NULL DEFAULT '', games_started {bigint} NOT NULL DEFAULT 0,
    games_won {bigint} NOT NULL DEFAULT 0, stat_text TEXT NOT NULL DEFAULT '',
    best_score INTEGER NOT NULL DEFAULT 0, best_at {bigint} NOT NULL DEFAULT 0,
    best_seq {bigint} NOT NULL DEFAULT 0,
    created_at {bigint} NOT NULL, updated_at {bigint} NOT NULL))sql",
    "CREATE INDEX IF NOT EXISTS players_by_rank ON players (best_score DESC, best_at, best_seq)",
    R"sql(CREATE TABLE IF NOT EXISTS publications (
    seq {key},
    player_seq {bigint} NOT NULL REFERENCES players (seq),
    score INTEGER NOT NULL,
    published_at {bigint} NOT NULL))sql",
    "CREATE INDEX IF NOT EXISTS publications_by_time ON publications (published_at)",
    R"sql(CREATE TABLE IF NOT EXISTS weekly_best (
    week_start {bigint} NOT NULL,
    player_seq {bigint} NOT NULL REFERENCES players (seq),
    score INTEGER NOT NULL, scored_at {bigint} NOT NULL, publication_seq {bigint} NOT NULL,
    PRIMARY KEY (week_start, player_seq)))sql",
    "CREATE INDEX IF NOT EXISTS weekly_by_rank ON weekly_best (week_start, score DESC, scored_at, "
    "publication_seq)",
    // How many players each list has in each bucket of scores (list_places.h).
    R"sql(CREATE TABLE IF NOT EXISTS rank_counts (
    list INTEGER NOT NULL, week_start {bigint} NOT NULL, level INTEGER NOT NULL, bucket {bigint} NOT NULL,
    players {bigint} NOT NULL,
    PRIMARY KEY (list, week_start, level, bucket)){clustered})sql",
};

// A player's columns as the lists read them.
constexpr const char* kPlayerColumns =
    "id, best_score, best_at, name, city, country, email, age, sex, comment, games_started, games_won, "
    "stat_text, best_seq";
constexpr std::size_t kBestSeqColumn = 13;

RankedPlayer PlayerOf(const SqlRow& row) {
    RankedPlayer p;
    p.playerId = TextOf(row[0]);
    p.score = static_cast<std::int32_t>(IntOf(row[1]));
    p.scoreAt = IntOf(row[2]);
    p.data = {TextOf(row[3]),
              TextOf(row[4]),
              TextOf(row[5]),
              TextOf(row[6]),
              static_cast<std::int32_t>(IntOf(row[7])),
              TextOf(row[8]),
              TextOf(row[9]),
              IntOf(row[10]),
              IntOf(row[11]),
              TextOf(row[12])};
    return p;
}

}  // namespace

// A player's ID is all it takes to publish under their name, so it comes
// straight from the system's entropy: no number of IDs seen tells the next.
std::string NewPlayerId() {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr unsigned kLetters = sizeof kAlphabet - 1;
    constexpr unsigned kUnbiased = 256 / kLetters * kLetters;  // bytes above give some letters more chances
    std::string id;
    while (id.size() < 16) {
        unsigned char bytes[32];
        if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes))
            throw std::runtime_error("no random bytes for a player ID");
        for (const unsigned char b : bytes)
            if (b < kUnbiased && id.size() < 16) id += kAlphabet[b % kLetters];
    }
    return id;
}

std::vector<SqlStatement> RankingSchema(const RankingDialect& d) {
    std::vector<SqlStatement> statements;
    for (std::string sql : kSchema) {
        for (const auto& [word, text] : {std::pair{std::string_view("{key}"), &d.keyType},
                                         {"{bigint}", &d.bigInt},
                                         {"{clustered}", &d.clusteredTable}})
            for (std::size_t at = sql.find(word); at != std::string::npos;
                 at = sql.find(word, at + text->size()))
                sql.replace(at, word.size(), *text);
        statements.push_back({sql, {}});
    }
    return statements;
}

void RecountRanksWhenMissing(ISqlSession& db) {
    const std::vector<SqlRows> rows =
        db.Run({{"SELECT CASE WHEN EXISTS (SELECT 1 FROM players) AND NOT EXISTS (SELECT 1 FROM rank_counts) "
                 "THEN 1 ELSE 0 END",
                 {}}});
    if (IntOf(rows[0].at(0).at(0)) == 1) db.Run(RecountRankCountsStatements());
}

std::vector<RankedPlayer> ReadTopPlayers(ISqlSession& db, std::size_t count) {
    SqlBuilder sql;
    sql << "SELECT " << kPlayerColumns << " FROM players ORDER BY best_score DESC, best_at, best_seq LIMIT ";
    sql.Param(static_cast<std::int64_t>(count));
    std::vector<RankedPlayer> list;
    const std::vector<SqlRows> rows = db.Run({sql.Take()});
    for (const SqlRow& row : rows.at(0)) {
        list.push_back(PlayerOf(row));
        list.back().rank = static_cast<std::int64_t>(list.size());
    }
    return list;
}

std::optional<RankedPlayer> ReadPlayer(ISqlSession& db, const std::string& playerId) {
    const SqlRows rows =
        db.Run({{std::string("SELECT ") + kPlayerColumns + " FROM players WHERE id = $1", {playerId}}}).at(0);
    if (rows.empty()) return std::nullopt;
    RankedPlayer p = PlayerOf(rows[0]);
    SqlBuilder sql;
    sql << "SELECT ";
    AppendPlayersBefore(sql, OverallRankList, {p.score, p.scoreAt, IntOf(rows[0][kBestSeqColumn])});
    p.rank = IntOf(db.Run({sql.Take()}).at(0).at(0).at(0)) + 1;
    return p;
}

std::int64_t CountPlayers(ISqlSession& db) {
    SqlBuilder sql;
    sql << "SELECT ";
    AppendPlayersInList(sql, OverallRankList);
    return IntOf(db.Run({sql.Take()}).at(0).at(0).at(0));
}
