// The verifiers' threads: claim, verify, store, and now and then prune.
#include "verifier_pool.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <exception>

namespace {

// How often an idle verifier looks for replays another server took.
constexpr auto kIdlePoll = std::chrono::seconds(2);
// After a failure of the store or of the preparation, a verifier waits this long.
constexpr auto kAfterFailure = std::chrono::seconds(10);
constexpr auto kPruneEvery = std::chrono::hours(1);

std::string WorkerName(int worker) {
    char host[256] = "";
    gethostname(host, sizeof host - 1);
    return std::string(host) + "/" + std::to_string(getpid()) + "/" + std::to_string(worker);
}

std::string SignalReason(int signal, const ReplayCaps& caps) {
    // The processor cap ends a verification with SIGXCPU, a second later with SIGKILL.
    if (signal == SIGXCPU || signal == SIGKILL)
        return "verification took more than " + std::to_string(caps.seconds) + " s of processor time";
    return "verification failed (signal " + std::to_string(signal) + ")";
}

}  // namespace

std::chrono::milliseconds WallLimitOf(const ReplayCaps& caps) {
    return std::chrono::seconds(4 * caps.seconds + 10);
}

ReplayVerdictRecord VerdictOfRun(const VerifierRun& run, const VerifierPoolSettings& settings) {
    const ReplayCaps& caps = settings.caps;
    ReplayVerdictRecord v;
    v.checkMs = run.ms;
    switch (run.ending) {
        case VerifierRun::Answered: {
            const std::size_t gap = run.line.find(' ');
            const std::string word = run.line.substr(0, gap),
                              rest = gap == std::string::npos ? "" : run.line.substr(gap + 1);
            v.verified = word == "verified";
            (v.verified ? v.outcome : v.reason) = rest;
            if (!v.verified && word != "rejected") v.reason = "verification failed: " + run.line;
            break;
        }
        case VerifierRun::Failed:
            v.reason = run.signal
                           ? SignalReason(run.signal, caps)
                           : "verification failed (exit status " + std::to_string(run.exitStatus) + ")";
            break;
        case VerifierRun::TimedOut:
            v.reason = "verification took longer than " + std::to_string(settings.wallLimit.count()) + " ms";
            break;
        case VerifierRun::Stopped:
            v.reason = "the server stopped";
            break;
    }
    return v;
}

VerifierPool::VerifierPool(IScoreStore& store, IServerClock& clock, VerifierPoolSettings settings)
    : store_(store), clock_(clock), settings_(std::move(settings)) {
    for (int i = 0; i < settings_.workers; ++i)
        workers_.emplace_back([this, i](std::stop_token stop) { Work(stop, i); });
}

VerifierPool::~VerifierPool() {
    for (std::jthread& w : workers_) w.request_stop();
    woken_.notify_all();
    workers_.clear();  // joins
}

void VerifierPool::Wake() {
    {
        std::lock_guard lock(mutex_);
        ++wakes_;
    }
    woken_.notify_all();
}

void VerifierPool::Idle(const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    const std::uint64_t seen = wakes_;
    woken_.wait_for(lock, stop, kIdlePoll, [&] { return wakes_ != seen; });
}

void VerifierPool::Rest(const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    woken_.wait_for(lock, stop, kAfterFailure, [] { return false; });
}

bool VerifierPool::Prepared() {
    std::lock_guard lock(prepareMutex_);
    if (prepared_) return true;
    try {
        if (settings_.prepare) settings_.prepare();
        prepared_ = true;
    } catch (const std::exception& e) {
        settings_.log(std::string("replays: cannot prepare the game's data: ") + e.what());
    }
    return prepared_;
}

void VerifierPool::Work(std::stop_token stop, int worker) {
    const std::string name = WorkerName(worker);
    auto lastPrune = std::chrono::steady_clock::now() - kPruneEvery;
    while (!stop.stop_requested()) {
        try {
            if (worker == 0 && std::chrono::steady_clock::now() - lastPrune >= kPruneEvery) {
                lastPrune = std::chrono::steady_clock::now();
                Prune();
            }
            const std::int64_t now = clock_.Now();
            // A claim older than twice the wall-clock limit has lost its verifier.
            const auto stale =
                std::chrono::duration_cast<std::chrono::seconds>(settings_.wallLimit).count() + 1;
            const std::optional<ClaimedReplay> claim = store_.ClaimReplay(name, now, now - 2 * stale);
            if (!claim) {
                Idle(stop);
                continue;
            }
            if (!Prepared()) {
                store_.ReleaseReplay(claim->replay);
                Rest(stop);
                continue;
            }
            Verify(*claim, stop);
        } catch (const std::exception& e) {
            settings_.log(std::string("replays: ") + e.what());
            Rest(stop);
        }
    }
}

void VerifierPool::Verify(const ClaimedReplay& claim, const std::stop_token& stop) {
    std::vector<std::string> argv = settings_.command;
    argv.insert(argv.end(), {"--expect", std::to_string(claim.score) + ":" + std::to_string(claim.gamesWon) +
                                             ":" + claim.statText});
    const VerifierRun run = RunVerifier(argv, claim.text, settings_.wallLimit, stop);
    if (run.ending == VerifierRun::Stopped) {
        store_.ReleaseReplay(claim.replay);
        return;
    }
    ReplayVerdictRecord verdict = VerdictOfRun(run, settings_);
    verdict.at = clock_.Now();
    store_.FinishReplay(claim.replay, verdict);
    const std::string which = "replay " + std::to_string(claim.replay);
    settings_.log(verdict.verified
                      ? which + " verified (" + verdict.outcome + " " + std::to_string(claim.score) +
                            ") in " + std::to_string(run.ms) + " ms"
                      : which + " rejected: " + verdict.reason);
}

void VerifierPool::Prune() {
    const std::int64_t deleted = store_.PruneReplays(clock_.Now() - settings_.keepSeconds);
    if (deleted > 0) settings_.log("replays: deleted " + std::to_string(deleted) + " kept for their time");
}
