// Server benchmarks: publications per second and the time to build the web
// ranking list (its budget: 50 ms) with 100,000 players stored, on SQLite and
// on PostgreSQL (a throwaway cluster; skipped, saying why, where none starts).
// A publication is the whole request without the network: decoding, checking,
// storing and the reply.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game_site.h"
#include "pg_score_store.h"
#include "sqlite_score_store.h"
#include "support/postgres_cluster.h"
#include "support/score_requests.h"

namespace fs = std::filesystem;

namespace {

constexpr int kStoredPlayers = 100000;
constexpr std::int64_t kNow = 1715000000;  // Monday 2024-05-06, 12:53 UTC

// 100,000 players with scores spread over 0..999,999, their publications
// spread over the last ten weeks (about a tenth in this week), filled in one
// statement per table, straight into the stores' tables. range: a row source
// of i = 1..100,000; id: the expression of player i's ID (the SQL differs).
std::vector<std::string> FillStatements(const std::string& range, const std::string& id) {
    const std::string at = "(" + std::to_string(kNow) + " - (i % 70) * 86400 - (i % 3600))";
    return {
        "INSERT INTO players (seq, id, name, city, country, email, age, sex, comment, games_started, "
        "games_won, "
        "stat_text, best_score, best_at, best_seq, created_at, updated_at) SELECT i, " +
            id +
            ", 'Player ' || i, 'City', 'Country', 'player' || i || '@example.org', i % 90, 'f', '', i, i / "
            "3, "
            "'Spielzeit 90 s', (i * 7919) % 1000000, " +
            at + ", i, " + at + ", " + at + " FROM " + range,
        "INSERT INTO publications (seq, player_seq, score, published_at) SELECT seq, seq, best_score, "
        "best_at "
        "FROM players",
        "INSERT INTO weekly_best (week_start, player_seq, score, scored_at, publication_seq) SELECT " +
            std::to_string(WeekStart(kNow)) +
            ", seq, best_score, best_at, seq FROM players WHERE best_at >= " +
            std::to_string(WeekStart(kNow)),
    };
}

// The requests the benchmark sends in turn: returning players with new
// scores, and every fourth a new player.
std::vector<std::string> PublishTargets() {
    std::vector<std::string> targets;
    for (int k = 0; k < 512; ++k) {
        char id[20];
        std::snprintf(id, sizeof id, "bench%011d", 1 + (k * 193) % kStoredPlayers);
        TScoreRecord r = ScoreRecordOf("Bench " + std::to_string(k), (k * 104729) % 1000000, k % 4 ? id : "");
        r.City = "Bern";
        r.Email = "bench@example.org";
        r.Statistics = "Spielzeit: 90 s, Abschuesse: 42";
        targets.push_back(ScoreRequestTarget(r, static_cast<std::uint64_t>(k)));
    }
    return targets;
}

// One store filled with the players, and the site in front of it.
struct Fixture {
    std::unique_ptr<IScoreStore> store;
    ManualServerClock clock{kNow};
    std::unique_ptr<GameSite> site;
    std::string unavailable;
};

// A temporary folder for the SQLite file, removed at exit.
struct BenchFolder {
    BenchFolder() {
        std::string pattern = (fs::temp_directory_path() / "vantorel-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        path = pattern;
    }
    ~BenchFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

void FillSqlite(Fixture& f) {
    static BenchFolder folder;
    const std::string file = (folder.path / "scores.sqlite").string();
    f.store = std::make_unique<SqliteScoreStore>(file);
    SqliteDb db(file);
    db.Exec("BEGIN");
    const std::string range = "(WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                              std::to_string(kStoredPlayers) + ") SELECT i FROM n)";
    for (const std::string& sql : FillStatements(range, "printf('bench%011d', i)")) db.Exec(sql);
    db.Exec("COMMIT; ANALYZE;");
    f.site = std::make_unique<GameSite>(folder.path / "www", *f.store, f.clock);
}

void FillPostgres(Fixture& f) {
    PostgresCluster& cluster = SharedPostgresCluster();
    if (!cluster.Available()) {
        f.unavailable = "no PostgreSQL cluster: " + cluster.Reason();
        return;
    }
    const std::string address = cluster.NewDatabase("bench");
    f.store = std::make_unique<PgScoreStore>(address, 8);
    PgConnection c(address);
    const std::string range = "generate_series(1, " + std::to_string(kStoredPlayers) + ") AS i";
    for (const std::string& sql : FillStatements(range, "'bench' || lpad(i::text, 11, '0')")) c.Exec(sql);
    c.Exec("SELECT setval('players_seq_seq', (SELECT MAX(seq) FROM players))");
    c.Exec("SELECT setval('publications_seq_seq', (SELECT MAX(seq) FROM publications))");
    c.Exec("VACUUM ANALYZE");
    f.site = std::make_unique<GameSite>("/nonexistent", *f.store, f.clock);
}

// Filled at first use, from the benchmark's first (main) thread, and kept for the run.
Fixture& SqliteFixture() {
    static Fixture f;
    static const bool filled = (FillSqlite(f), true);
    (void)filled;
    return f;
}

Fixture& PostgresFixture() {
    static Fixture f;
    static const bool filled = (FillPostgres(f), true);
    (void)filled;
    return f;
}

void BM_Publish(benchmark::State& state, Fixture& (*fixture)()) {
    Fixture& f = fixture();
    if (!f.unavailable.empty()) {
        state.SkipWithError(f.unavailable.c_str());
        return;
    }
    static const std::vector<std::string> targets = PublishTargets();
    std::size_t k = 0;
    for (auto _ : state) {
        const SiteResponse r = f.site->Handle("GET", targets[k++ % targets.size()]);
        if (r.status != 200) {
            state.SkipWithError(("publication refused: " + r.body).c_str());
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_RankingListPage(benchmark::State& state, Fixture& (*fixture)()) {
    Fixture& f = fixture();
    if (!f.unavailable.empty()) {
        state.SkipWithError(f.unavailable.c_str());
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        const SiteResponse r = f.site->Handle("GET", "/vtrinternal/highscore.html");
        bytes = r.body.size();
        benchmark::DoNotOptimize(r.body.data());
    }
    state.counters["players"] = static_cast<double>(f.store->PlayerCount());
    state.counters["page_bytes"] = static_cast<double>(bytes);
}

}  // namespace

// Publications wait for one another (each holds the list's lock), so one
// client thread shows the rate a server reaches.
BENCHMARK_CAPTURE(BM_Publish, SQLite, SqliteFixture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Publish, PostgreSQL, PostgresFixture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RankingListPage, SQLite, SqliteFixture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RankingListPage, PostgreSQL, PostgresFixture)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
