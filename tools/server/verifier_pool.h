// The server's verifiers: a bounded pool of threads, each claiming one waiting replay
// from the store at a time and verifying it in a capped process; one also prunes.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "score_store.h"
#include "server_clock.h"
#include "server_options.h"
#include "verifier_process.h"

struct VerifierPoolSettings {
    // The verifier program and its arguments; the claim's "--expect" follows.
    std::vector<std::string> command;
    int workers = 2;
    ReplayCaps caps;
    std::chrono::milliseconds wallLimit = std::chrono::seconds(90);  // WallLimitOf(caps)
    std::int64_t keepSeconds = 30 * 86400;
    // Runs once before the first verification (the game's music); may throw.
    std::function<void()> prepare;
    // Where the pool says what it did, one line at a time.
    std::function<void(const std::string&)> log;
};

// Each replay is claimed in the database, so servers sharing one verify it
// once; verifications run off the request threads, which an upload only wakes.
class VerifierPool {
public:
    VerifierPool(IScoreStore& store, IServerClock& clock, VerifierPoolSettings settings);
    // Stops: running verifications are killed and their replays given back.
    ~VerifierPool();
    VerifierPool(const VerifierPool&) = delete;
    VerifierPool& operator=(const VerifierPool&) = delete;

    // A replay was taken: an idle verifier looks at once.
    void Wake();

private:
    void Work(std::stop_token stop, int worker);
    bool Prepared();
    void Verify(const ClaimedReplay& claim, const std::stop_token& stop);
    void Prune();
    void Idle(const std::stop_token& stop);
    // Waits after a failure, or until the pool stops.
    void Rest(const std::stop_token& stop);

    IScoreStore& store_;
    IServerClock& clock_;
    const VerifierPoolSettings settings_;
    std::mutex mutex_;
    std::condition_variable_any woken_;
    std::uint64_t wakes_ = 0;
    std::mutex prepareMutex_;
    bool prepared_ = false;
    std::vector<std::jthread> workers_;
};

// What a finished verifier run means for its replay: the verdict the store keeps.
ReplayVerdictRecord VerdictOfRun(const VerifierRun& run, const VerifierPoolSettings& settings);
// How long a verification may take on the wall clock: four times its
// processor time (the verifiers share the processors), and ten seconds more.
std::chrono::milliseconds WallLimitOf(const ReplayCaps& caps);
