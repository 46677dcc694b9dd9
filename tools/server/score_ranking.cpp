// The tables both stores share, the list's top, a player's place and new player IDs.
#include "score_ranking.h"

#include <sys/random.h>

#include <algorithm>
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
    // How many players each list has in each bucket of scores (list_places.h).
    R"sql(CREATE TABLE IF NOT EXISTS rank_counts (
    list INTEGER NOT NULL, week_start {bigint} NOT NULL, level INTEGER NOT NULL, bucket {bigint} NOT NULL,
    players {bigint} NOT NULL,
    PRIMARY KEY (list, week_start, level, bucket)){clustered})sql",
    // The replays sent with publications, what their publication claimed, and
    // their verdicts (replay_records.h).
    R"sql(CREATE TABLE IF NOT EXISTS replays (
    seq {key},
    publication_seq {bigint} NOT NULL UNIQUE, player_seq {bigint} NOT NULL, uploaded_at {bigint} NOT NULL,
    replay TEXT NOT NULL, score INTEGER NOT NULL, stat_text TEXT NOT NULL, games_won {bigint} NOT NULL,
    state TEXT NOT NULL, reason TEXT NOT NULL DEFAULT '',
    outcome TEXT NOT NULL DEFAULT '', attempts INTEGER NOT NULL DEFAULT 0,
    claimed_by TEXT NOT NULL DEFAULT '', claimed_at {bigint} NOT NULL DEFAULT 0,
    checked_at {bigint} NOT NULL DEFAULT 0, check_ms {bigint} NOT NULL DEFAULT 0))sql",
    "CREATE INDEX IF NOT EXISTS replays_by_state ON replays (state, seq)",
};

// A table of each player's best entry of a list, and its index in the list's order.
constexpr const char* kBestTable = R"sql(CREATE TABLE IF NOT EXISTS {table} (
    week_start {bigint} NOT NULL,
    player_seq {bigint} NOT NULL REFERENCES players (seq),
    score INTEGER NOT NULL, scored_at {bigint} NOT NULL, publication_seq {bigint} NOT NULL,
    PRIMARY KEY (week_start, player_seq)))sql";
constexpr const char* kBestIndex =
    "CREATE INDEX IF NOT EXISTS {index} ON {table} (week_start, score DESC, scored_at, publication_seq)";

// The tables of players' best entries: each week's, and the verified scores'
// (overall under week_start 0, and in each week).
constexpr std::pair<const char*, const char*> kBestTables[] = {{"weekly_best", "weekly_by_rank"},
                                                               {"verified_best", "verified_by_rank"}};

void ReplaceAll(std::string& sql, std::string_view word, std::string_view text) {
    for (std::size_t at = sql.find(word); at != std::string::npos; at = sql.find(word, at + text.size()))
        sql.replace(at, word.size(), text);
}

// A player's columns as the overall list reads them, with the marks of the
// replays: the state of the best score's replay, the best verified score and
// its replay.
constexpr const char* kPlayerColumns =
    "p.id, p.best_score, p.best_at, p.name, p.city, p.country, p.email, p.age, p.sex, p.comment, "
    "p.games_started, p.games_won, p.stat_text, p.best_seq, r.state, r.reason, v.score, vr.seq "
    "FROM players p LEFT JOIN replays r ON r.publication_seq = p.best_seq "
    "LEFT JOIN verified_best v ON v.week_start = 0 AND v.player_seq = p.seq "
    "LEFT JOIN replays vr ON vr.publication_seq = v.publication_seq";
constexpr std::size_t kBestSeqColumn = 13;

// The same for the list of verified scores: its score is the verified one.
constexpr const char* kVerifiedColumns =
    "p.id, v.score, v.scored_at, p.name, p.city, p.country, p.email, p.age, p.sex, p.comment, "
    "p.games_started, p.games_won, p.stat_text, v.publication_seq, 'verified', '', v.score, vr.seq "
    "FROM verified_best v JOIN players p ON p.seq = v.player_seq "
    "LEFT JOIN replays vr ON vr.publication_seq = v.publication_seq";

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
    p.replays.state = TextOf(row[14]);
    p.replays.reason = TextOf(row[15]);
    if (const std::optional<std::int64_t> verified = OptionalIntOf(row[16]))
        p.replays.verifiedScore = static_cast<std::int32_t>(*verified);
    p.replays.verifiedReplay = OptionalIntOf(row[17]).value_or(0);
    return p;
}

std::vector<RankedPlayer> ReadList(ISqlSession& db, const char* columnsAndTables, const char* order,
                                   std::size_t count) {
    SqlBuilder sql;
    sql << "SELECT " << columnsAndTables << order;
    sql.Param(static_cast<std::int64_t>(count));
    std::vector<RankedPlayer> list;
    const std::vector<SqlRows> rows = db.Run({sql.Take()});
    for (const SqlRow& row : rows.at(0)) {
        list.push_back(PlayerOf(row));
        list.back().rank = static_cast<std::int64_t>(list.size());
    }
    return list;
}

std::int64_t CountList(ISqlSession& db, RankList list) {
    SqlBuilder sql;
    sql << "SELECT ";
    AppendPlayersInList(sql, list);
    return IntOf(db.Run({sql.Take()}).at(0).at(0).at(0));
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
    std::vector<std::string> texts(std::begin(kSchema), std::end(kSchema));
    for (const auto& [table, index] : kBestTables) {
        texts.push_back(kBestTable);
        ReplaceAll(texts.back(), "{table}", table);
        texts.push_back(kBestIndex);
        ReplaceAll(texts.back(), "{table}", table);
        ReplaceAll(texts.back(), "{index}", index);
    }
    std::vector<SqlStatement> statements;
    for (std::string& sql : texts) {
        ReplaceAll(sql, "{key}", d.keyType);
        ReplaceAll(sql, "{bigint}", d.bigInt);
        ReplaceAll(sql, "{clustered}", d.clusteredTable);
        statements.push_back({std::move(sql), {}});
    }
    return statements;
}

void AddMissingColumns(ISqlSession& db, const RankingDialect& d) {
    // What a replay upload binds to: the checksum of the player's latest
    // record (-1: none, which no checksum is) and that publication.
    constexpr std::pair<const char*, const char*> added[] = {
        {"last_record_sum", "{bigint} NOT NULL DEFAULT -1"},
        {"last_publication", "{bigint} NOT NULL DEFAULT 0"}};
    const SqlRows columns = db.Run({{d.playerColumns, {}}}).at(0);
    for (const auto& [name, type] : added) {
        if (std::any_of(columns.begin(), columns.end(),
                        [&](const SqlRow& c) { return TextOf(c.at(0)) == name; }))
            continue;
        std::string sql = std::string("ALTER TABLE players ADD COLUMN ") + name + " " + type;
        ReplaceAll(sql, "{bigint}", d.bigInt);
        db.Run({{sql, {}}});
    }
}

void RecountRanksWhenMissing(ISqlSession& db) {
    const std::vector<SqlRows> rows =
        db.Run({{"SELECT CASE WHEN EXISTS (SELECT 1 FROM players) AND NOT EXISTS (SELECT 1 FROM rank_counts) "
                 "THEN 1 ELSE 0 END",
                 {}}});
    if (IntOf(rows[0].at(0).at(0)) == 1) db.Run(RecountRankCountsStatements());
}

std::vector<RankedPlayer> ReadTopPlayers(ISqlSession& db, std::size_t count) {
    return ReadList(db, kPlayerColumns, " ORDER BY p.best_score DESC, p.best_at, p.best_seq LIMIT ", count);
}

std::vector<RankedPlayer> ReadTopVerifiedPlayers(ISqlSession& db, std::size_t count) {
    return ReadList(db, kVerifiedColumns,
                    " WHERE v.week_start = 0 ORDER BY v.score DESC, v.scored_at, v.publication_seq LIMIT ",
                    count);
}

std::optional<RankedPlayer> ReadPlayer(ISqlSession& db, const std::string& playerId) {
    const SqlRows rows =
        db.Run({{std::string("SELECT ") + kPlayerColumns + " WHERE p.id = $1", {playerId}}}).at(0);
    if (rows.empty()) return std::nullopt;
    RankedPlayer p = PlayerOf(rows[0]);
    SqlBuilder sql;
    sql << "SELECT ";
    AppendPlayersBefore(sql, OverallRankList, {p.score, p.scoreAt, IntOf(rows[0][kBestSeqColumn])});
    p.rank = IntOf(db.Run({sql.Take()}).at(0).at(0).at(0)) + 1;
    return p;
}

std::int64_t CountPlayers(ISqlSession& db) {
    return CountList(db, OverallRankList);
}

std::int64_t CountVerifiedPlayers(ISqlSession& db) {
    return CountList(db, VerifiedRankList);
}
