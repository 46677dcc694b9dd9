// The publication steps both stores share.
#include "score_ranking.h"

#include <sys/random.h>

#include <stdexcept>
#include <utility>

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

std::string RankingSchema(std::string_view keyType, std::string_view bigInt) {
    std::string schema = R"sql(
CREATE TABLE IF NOT EXISTS players (
    seq {key},
    id TEXT NOT NULL UNIQUE,
    name TEXT NOT NULL DEFAULT '', city TEXT NOT NULL DEFAULT '', country TEXT NOT NULL DEFAULT '',
    email TEXT NOT NULL DEFAULT '', age INTEGER NOT NULL DEFAULT 0, sex TEXT NOT NULL DEFAULT '',
    comment TEXT NOT NULL DEFAULT '', games_started {bigint} NOT NULL DEFAULT 0,
    games_won {bigint} NOT NULL DEFAULT 0, stat_text TEXT NOT NULL DEFAULT '',
    best_score INTEGER NOT NULL DEFAULT 0, best_at {bigint} NOT NULL DEFAULT 0,
    best_seq {bigint} NOT NULL DEFAULT 0,
    created_at {bigint} NOT NULL, updated_at {bigint} NOT NULL);
CREATE INDEX IF NOT EXISTS players_by_rank ON players (best_score DESC, best_at, best_seq);
CREATE TABLE IF NOT EXISTS publications (
    seq {key},
    player_seq {bigint} NOT NULL REFERENCES players (seq),
    score INTEGER NOT NULL,
    published_at {bigint} NOT NULL);
CREATE INDEX IF NOT EXISTS publications_by_time ON publications (published_at);
CREATE TABLE IF NOT EXISTS weekly_best (
    week_start {bigint} NOT NULL,
    player_seq {bigint} NOT NULL REFERENCES players (seq),
    score INTEGER NOT NULL, scored_at {bigint} NOT NULL, publication_seq {bigint} NOT NULL,
    PRIMARY KEY (week_start, player_seq));
CREATE INDEX IF NOT EXISTS weekly_by_rank ON weekly_best (week_start, score DESC, scored_at, publication_seq);
)sql";
    for (const auto& [word, type] : {std::pair{std::string_view("{key}"), keyType}, {"{bigint}", bigInt}})
        for (std::size_t at = schema.find(word); at != std::string::npos;
             at = schema.find(word, at + type.size()))
            schema.replace(at, word.size(), type);
    return schema;
}

PublishResult PublishScore(IRankingTables& t, const ScorePublication& p, std::int64_t weekStart) {
    PublishResult r;
    const std::optional<IRankingTables::Player> old =
        p.playerId.empty() ? std::nullopt : t.FindPlayerById(p.playerId);
    std::int64_t playerSeq;
    if (old) {
        r.playerId = p.playerId;
        playerSeq = old->seq;
        r.overall.oldRank = t.PlayersBefore(old->best) + 1;
    } else {
        r.newPlayer = true;
        do r.playerId = NewPlayerId();
        while (t.FindPlayerById(r.playerId));
        playerSeq = t.AddPlayer(r.playerId, p.at);
    }
    const ListEntry entry{p.score, p.at, t.AddPublication(playerSeq, p.score, p.at)};

    // Only a higher score is a new best: reaching the same score again keeps the earlier place.
    const ListEntry best = !old || p.score > old->best.score ? entry : old->best;
    t.SavePlayer(playerSeq, p.data, best, p.at);
    r.overall.rank = t.PlayersBefore(best) + 1;
    r.overall.topScore = t.TopScore();

    const std::optional<ListEntry> oldWeekly = t.WeeklyBest(weekStart, playerSeq);
    if (oldWeekly) r.weekly.oldRank = t.WeeklyPlayersBefore(weekStart, *oldWeekly) + 1;
    const bool betterWeekly = !oldWeekly || p.score > oldWeekly->score;
    const ListEntry weeklyBest = betterWeekly ? entry : *oldWeekly;
    if (betterWeekly) t.SaveWeeklyBest(weekStart, playerSeq, weeklyBest);
    r.weekly.rank = t.WeeklyPlayersBefore(weekStart, weeklyBest) + 1;
    r.weekly.topScore = t.WeeklyTopScore(weekStart);
    return r;
}
