// Server benchmarks: publications per second with 1, 4 and 16 clients at once,
// beside the floor (a transaction with one bare insert into the same
// database, from as many clients), and the time to build the web ranking
// list, with 100,000 players stored, on SQLite and on PostgreSQL (a throwaway
// cluster; skipped, saying why, where none starts). A publication is the
// whole request without the network: decoding, checking, storing and the
// reply; with one client its time is the server's time per publication.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
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

// One store filled with the players, the site in front of it, and the floor.
struct Fixture {
    std::unique_ptr<IScoreStore> store;
    ManualServerClock clock{kNow};
    std::unique_ptr<GameSite> site;
    std::function<void()> bareInsert;  // one transaction with one publication row, and nothing else
    std::string unavailable;
};

const SqlStatement kBareInsert{
    "INSERT INTO publications (player_seq, score, published_at) VALUES ($1, $2, $3)",
    {std::int64_t{1}, std::int64_t{4242}, kNow}};

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
    f.store = std::make_unique<SqliteScoreStore>(file);  // the tables
    auto db = std::make_shared<SqliteDb>(file);
    db->Exec("BEGIN");
    const std::string range = "(WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                              std::to_string(kStoredPlayers) + ") SELECT i FROM n)";
    for (const std::string& sql : FillStatements(range, "printf('bench%011d', i)")) db->Exec(sql);
    db->Exec("COMMIT; ANALYZE; PRAGMA synchronous = NORMAL;");
    // Opened again, the store counts the places' buckets of the rows filled in behind its back.
    f.store = std::make_unique<SqliteScoreStore>(file);
    f.site = std::make_unique<GameSite>(folder.path / "www", *f.store, f.clock);
    // Like the store: one connection that the clients take in turn.
    f.bareInsert = [db, mutex = std::make_shared<std::mutex>()] {
        std::lock_guard lock(*mutex);
        SqliteSession(*db, true).RunAndCommit({kBareInsert});
    };
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
    f.store = std::make_unique<PgScoreStore>(address, 8);
    c.Exec("VACUUM ANALYZE");
    f.site = std::make_unique<GameSite>("/nonexistent", *f.store, f.clock);
    // Like the store: a pool of as many connections, BEGIN, the insert and COMMIT sent together.
    f.bareInsert = [pool = std::make_shared<PgPool>(address, 8)] {
        const PgPool::Lease connection = pool->Acquire();
        PgSession(*connection, {}).RunAndCommit({kBareInsert});
    };
}

// Filled before the first run, from the benchmark's main thread (the
// PostgreSQL server ends with the thread that started it), and kept.
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

void FillSqliteFirst(const benchmark::State&) {
    SqliteFixture();
}
void FillPostgresFirst(const benchmark::State&) {
    PostgresFixture();
}

void BM_Publish(benchmark::State& state, Fixture& (*fixture)()) {
    Fixture& f = fixture();
    if (!f.unavailable.empty()) {
        state.SkipWithError(f.unavailable.c_str());
        return;
    }
    static const std::vector<std::string> targets = PublishTargets();
    // Each client starts elsewhere in the requests, so that clients publish for different players.
    std::size_t k = static_cast<std::size_t>(state.thread_index()) * 97;
    for (auto _ : state) {
        const SiteResponse r = f.site->Handle("GET", targets[k++ % targets.size()]);
        if (r.status != 200) {
            state.SkipWithError(("publication refused: " + r.body).c_str());
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_BareInsert(benchmark::State& state, Fixture& (*fixture)()) {
    Fixture& f = fixture();
    if (!f.unavailable.empty()) {
        state.SkipWithError(f.unavailable.c_str());
        return;
    }
    for (auto _ : state) f.bareInsert();
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

void WithClients(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->UseRealTime()->Threads(1)->Threads(4)->Threads(16);
}

}  // namespace

// Each store's floor right before its publications, so that both meet the same state of the machine.
BENCHMARK_CAPTURE(BM_BareInsert, SQLite, SqliteFixture)->Setup(FillSqliteFirst)->Apply(WithClients);
BENCHMARK_CAPTURE(BM_Publish, SQLite, SqliteFixture)->Setup(FillSqliteFirst)->Apply(WithClients);
BENCHMARK_CAPTURE(BM_BareInsert, PostgreSQL, PostgresFixture)->Setup(FillPostgresFirst)->Apply(WithClients);
BENCHMARK_CAPTURE(BM_Publish, PostgreSQL, PostgresFixture)->Setup(FillPostgresFirst)->Apply(WithClients);
BENCHMARK_CAPTURE(BM_RankingListPage, SQLite, SqliteFixture)
    ->Setup(FillSqliteFirst)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_RankingListPage, PostgreSQL, PostgresFixture)
    ->Setup(FillPostgresFirst)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
