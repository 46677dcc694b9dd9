// vantorel-server: the game's server. Serves the pages below /vtrinternal
// from the data folder's www (writing a default site on the first start)
// and the ranking list from its database, until SIGINT or SIGTERM. SIGHUP
// (a closed terminal, a reload out of habit) is noted and changes nothing.
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <thread>

#include "content/content_resources.h"
#include "default_site.h"
#include "game_site.h"
#include "http_front.h"
#include "pg_score_store.h"
#include "replay_check.h"
#include "replay_content.h"
#include "server_options.h"
#include "sqlite_score_store.h"
#include "title_banner.h"
#include "verifier_pool.h"

namespace fs = std::filesystem;

namespace {

std::unique_ptr<IScoreStore> OpenScoreStore(const ServerOptions& o) {
    if (o.database.empty()) return std::make_unique<SqliteScoreStore>((o.data / "scores.sqlite").string());
    // More connections than requests served at once would only wait.
    return std::make_unique<PgScoreStore>(o.database, static_cast<std::size_t>(std::min(o.threads, 8)));
}

std::unique_ptr<IServerClock> OpenClock(const ServerOptions& o) {
    if (o.clockFile.empty()) return std::make_unique<SystemServerClock>();
    return std::make_unique<FileServerClock>(o.clockFile);
}

std::optional<std::string> GameTitleBanner() {
    const auto title = ContentResources().Find("BITMAP", "VANTOREL");
    const auto back = ContentResources().Find("JPEG", "BACK");
    if (!title || !back) return std::nullopt;
    return TitleBannerJpeg(*title, *back);
}

// The address players are sent to for downloads; a wildcard host is not one.
std::string SiteUrl(const ServerOptions& o, int port) {
    const bool wildcard = o.host == "0.0.0.0" || o.host == "::" || o.host == "*";
    return ServerUrl(wildcard ? "localhost" : o.host, port);
}

// SIGINT, SIGTERM and SIGHUP are blocked, to be taken by one thread that
// stops the server on the first two; every thread started afterwards inherits
// the block, so SIGHUP never ends the process.
sigset_t BlockServerSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    return signals;
}

// The game's data replays are verified with; none when replays are off or
// no data is found (an explicit --game-data that holds none is an error).
std::optional<fs::path> ReplayData(const ServerOptions& o) {
    if (!o.replays) return std::nullopt;
    const std::optional<fs::path> data = FindGameData(o.gameData, ServerProgram().parent_path());
    if (!data && !o.gameData.empty())
        throw std::runtime_error("--game-data " + o.gameData.string() + " holds no game data (sps and snd)");
    if (!data)
        std::cerr
            << "vantorel-server: no game data beside the server or in ../share/vantorel; replays are not "
               "taken (--game-data DIR)\n";
    else
        std::cerr << "vantorel-server: replays are verified with the game's data in " << data->string()
                  << "\n";
    return data;
}

std::unique_ptr<VerifierPool> StartVerifiers(const ServerOptions& o, const fs::path& data, IScoreStore& store,
                                             IServerClock& clock, RequestLog& log) {
    if (o.verifiers == 0) return nullptr;
    VerifierPoolSettings s;
    s.command = {ServerProgram().string(),
                 "--verify-replay",
                 "-",
                 "--game-data",
                 data.string(),
                 "--data",
                 o.data.string(),
                 "--replay-steps",
                 std::to_string(o.caps.steps),
                 "--replay-seconds",
                 std::to_string(o.caps.seconds),
                 "--replay-memory",
                 std::to_string(o.caps.memoryMib)};
    s.workers = o.verifiers;
    s.caps = o.caps;
    s.wallLimit = WallLimitOf(o.caps);
    s.keepSeconds = std::int64_t{o.replayDays} * 86400;
    s.prepare = [data, cache = o.data / "cache"] { PrepareGameMusic(data, cache); };
    s.log = [&log](const std::string& line) { log.WriteText(line); };
    return std::make_unique<VerifierPool>(store, clock, std::move(s));
}

int Run(const ServerOptions& o) {
    const sigset_t signals = BlockServerSignals();
    fs::create_directories(o.data);
    const std::unique_ptr<IScoreStore> store = OpenScoreStore(o);
    const std::unique_ptr<IServerClock> clock = OpenClock(o);
    RequestLog log(std::cout, o.logHeaders);
    const std::optional<fs::path> data = ReplayData(o);
    const std::unique_ptr<VerifierPool> verifiers =
        data ? StartVerifiers(o, *data, *store, *clock, log) : nullptr;
    ReplaySettings replays{data.has_value(), o.verifiedOnly, o.caps, [&verifiers] {
                               if (verifiers) verifiers->Wake();
                           }};
    GameSite site(o.data / "www", *store, *clock, std::move(replays));
    HttpFront front(site, log, o.threads);
    const int port = front.Bind(o.host, o.port);
    if (WriteDefaultSite(o.data / "www", DefaultSiteFiles(SiteUrl(o, port), GameTitleBanner())))
        std::cerr << "vantorel-server: wrote the default site into " << (o.data / "www").string() << "\n";
    log.WriteText("listening on " + ServerUrl(o.host, port));

    // A signal may come before serving has begun, when stopping does nothing
    // yet: the stopper repeats until serving has ended.
    std::atomic<bool> done{false};
    std::thread stopper([&front, &signals, &done, &log] {
        // Nothing is cached: every request reads the site and the list afresh.
        int signal = 0;
        while (sigwait(&signals, &signal) == 0 && signal == SIGHUP && !done)
            log.WriteText("SIGHUP: nothing to reload, every request reads the site afresh");
        while (!done) {
            front.Stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    const bool served = front.Serve();
    done = true;
    pthread_kill(stopper.native_handle(), SIGTERM);  // wakes the stopper when serving ended by itself
    stopper.join();
    return served ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    ServerOptions options;
    try {
        options = ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::cerr << "vantorel-server: " << e.what() << "\n" << ServerUsage;
        return 2;
    }
    if (options.help) {
        std::cout << ServerUsage;
        return 0;
    }
    try {
        if (options.verify) return RunReplayCheck(options);
        return Run(options);
    } catch (const std::exception& e) {
        std::cerr << "vantorel-server: " << e.what() << "\n";
        return 1;
    }
}
