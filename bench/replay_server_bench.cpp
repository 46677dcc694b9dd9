// The game server's verification of a 90-second game as the server runs it, beside the
// headless runner; and the ranking list page of a real server while eight verifications run.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "replay_content.h"
#include "support/game_server_process.h"
#include "support/raw_http.h"
#include "support/replay_uploads.h"
#include "support/score_requests.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Timed {
    double wallMs = 0, cpuMs = 0;
};

// Runs a program to its end with its output dropped: its wall-clock and processor time.
Timed Run(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0)
        throw std::runtime_error("cannot start " + argv[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Timed t;
    t.wallMs = MsSince(start);
    t.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
              (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    return t;
}

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A scratch folder: the server's data folder with the music converted, and
// a program folder for the headless runner (which converts its own).
class ScratchFolders {
public:
    ScratchFolders()
        : root_(fs::temp_directory_path() / ("vantorel-replay-bench-" + std::to_string(getpid()))) {
        PrepareGameMusic(VANTOREL_BUILD_DIR, root_ / "server" / "cache");
        const fs::path runner = Runner();
        fs::create_directories(runner / "sps");
        fs::create_directory_symlink(fs::path(VANTOREL_BUILD_DIR) / "gfx", runner / "gfx");
        fs::copy(fs::path(VANTOREL_BUILD_DIR) / "snd", runner / "snd");
        for (const char* name : {"Level1.txt", "front.dat"})
            fs::copy_file(fs::path(VANTOREL_BUILD_DIR) / "sps" / name, runner / "sps" / name);
    }
    ~ScratchFolders() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    fs::path Server() const { return root_ / "server"; }
    fs::path Runner() const { return root_ / "runner"; }

private:
    fs::path root_;
};

void BM_VerifyReplayAsTheServerDoes(benchmark::State& state) {
    const ScratchFolders folders;
    const std::string file = std::string(VANTOREL_SOURCE_DIR) + "/tests/replays/won.replay";
    const TScoreRecord claim = RecordOfReplayGame(Read(file), "Bench");
    const std::vector<std::string> server = {VANTOREL_SERVER_BINARY,
                                             "--verify-replay",
                                             file,
                                             "--game-data",
                                             VANTOREL_BUILD_DIR,
                                             "--data",
                                             folders.Server().string(),
                                             "--expect",
                                             std::to_string(claim.Score) + ":1:" + claim.Statistics};
    const std::vector<std::string> runner = {VANTOREL_HEADLESS, "--dir", folders.Runner().string(),
                                             "--replay", file};
    std::vector<std::string> runnerVerify = runner;
    runnerVerify.push_back("--verify");
    Run(runnerVerify);  // converts the runner's music first
    Timed verify, headlessVerify, drawn;
    for (auto _ : state) {
        for (auto [timed, argv] :
             {std::pair{&verify, &server}, {&headlessVerify, &runnerVerify}, {&drawn, &runner}}) {
            const Timed t = Run(*argv);
            timed->wallMs += t.wallMs;
            timed->cpuMs += t.cpuMs;
        }
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["server_cpu_ms"] = verify.cpuMs / n;
    state.counters["server_wall_ms"] = verify.wallMs / n;
    std::fprintf(stderr,
                 "a won 90-second game (90000 ms of play), processes from start to end:\n"
                 "  the server's verification   %7.1f ms processor, %7.1f ms wall (1/%.0f of the play time)\n"
                 "  the headless runner, --verify %5.1f ms processor, %7.1f ms wall\n"
                 "  the headless runner, drawn  %7.1f ms processor, %7.1f ms wall (%.1f x the server's)\n",
                 verify.cpuMs / n, verify.wallMs / n, 90000.0 / (verify.cpuMs / n), headlessVerify.cpuMs / n,
                 headlessVerify.wallMs / n, drawn.cpuMs / n, drawn.wallMs / n, drawn.cpuMs / verify.cpuMs);
}

struct Latencies {
    std::vector<double> ms;
    void Print(const char* what) {
        std::sort(ms.begin(), ms.end());
        const auto at = [&](double q) {
            return ms[static_cast<std::size_t>(q * static_cast<double>(ms.size() - 1))];
        };
        std::fprintf(stderr, "  %s: %zu pages, median %.2f ms, 99th percentile %.2f ms, slowest %.2f ms\n",
                     what, ms.size(), at(0.5), at(0.99), ms.back());
    }
};

double PageMs(int port) {
    const auto start = Clock::now();
    if (HttpStatusOf(RawHttpGet(port, "/vtrinternal/highscore.html")) != 200)
        throw std::runtime_error("the list page failed");
    return MsSince(start);
}

int Verified(GameServerProcess& server) {
    const std::vector<std::string> lines = server.Lines();
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find(" verified (") != std::string::npos || l.find(" rejected: ") != std::string::npos;
    }));
}

void BM_ListPageWhileEightVerificationsRun(benchmark::State& state) {
    constexpr int kVerifiers = 8, kReplays = 48, kOthers = 60;
    const ScratchFolders folders;
    GameServerProcess server(VANTOREL_SERVER_BINARY, folders.Server(),
                             {"--verifiers", std::to_string(kVerifiers)});
    const std::string replay = Read(std::string(VANTOREL_SOURCE_DIR) + "/tests/replays/won.replay");
    for (int i = 0; i < kOthers; ++i)
        RawHttpGet(server.Port(), ScoreRequestTarget(ScoreRecordOf("Other", 100 * i)));
    std::vector<std::pair<std::string, TScoreRecord>> uploads;
    for (int i = 0; i < kReplays; ++i) {
        const TScoreRecord record = RecordOfReplayGame(replay, "Player " + std::to_string(i));
        const std::string answer = HttpBodyOf(RawHttpGet(server.Port(), ScoreRequestTarget(record)));
        uploads.emplace_back(answer.substr(3, answer.find('\r') - 3), record);  // "ID=..."
    }
    for (auto _ : state) {
        Latencies idle, busy;
        for (int i = 0; i < 100; ++i) idle.ms.push_back(PageMs(server.Port()));
        const auto start = Clock::now();
        for (const auto& [id, record] : uploads)
            RawHttpPost(server.Port(), ReplayUploadTarget(id, record), replay);
        while (Verified(server) < kReplays && MsSince(start) < 300000) {
            busy.ms.push_back(PageMs(server.Port()));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        const double allMs = MsSince(start);
        std::fprintf(stderr,
                     "the ranking list page (%d players) while %d replays are verified, %d at once:\n",
                     kOthers + kReplays, kReplays, kVerifiers);
        idle.Print("no verification");
        busy.Print("verifying");
        std::fprintf(stderr, "  all %d verified after %.0f ms\n", Verified(server), allMs);
        state.counters["busy_max_ms"] = busy.ms.back();
    }
}

}  // namespace

BENCHMARK(BM_VerifyReplayAsTheServerDoes)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListPageWhileEightVerificationsRun)->Iterations(1)->Unit(benchmark::kMillisecond);
