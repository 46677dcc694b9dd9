// The verification's pieces: the judgement, the caps a verification puts on itself,
// and the verifier pool with stand-in verifiers that answer, fail, spin or hang.
#include <gtest/gtest.h>

#include <signal.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "hud/stat_text.h"
#include "online/version_check.h"
#include "replay_content.h"
#include "replay_judge.h"
#include "sqlite_score_store.h"
#include "verifier_pool.h"

namespace {

TReplayGame Game(std::int32_t score, TGameOutcome outcome, std::int32_t seconds) {
    TReplayGame g;
    g.Score = score;
    g.Outcome = outcome;
    g.Stats[StatSecondsPlayed] = seconds;
    g.Stats[StatCondomsFired] = 40;
    return g;
}

TEST(JudgeReplay, OnlyAGameWithTheClaimedScoreStatisticsAndEndVerifiesAndTheClosestGivesTheReason) {
    TReplayVerdict matches;
    matches.Games = {Game(300, TGameOutcome::Lost, 30), Game(14880, TGameOutcome::Won, 92)};
    const std::string stats = EncodeStatText(matches.Games[1].Stats);
    const std::string program(ProgramVersion);
    const auto judge = [&](const TReplayVerdict& v, ReplayClaim claim, const std::string& version = "") {
        const ReplayJudgement j = JudgeReplay(v, version.empty() ? program : version, claim);
        return j.verified ? "verified " + j.outcome : j.reason;
    };
    EXPECT_EQ(judge(matches, {14880, stats, 1}), "verified won");
    EXPECT_EQ(judge(matches, {300, EncodeStatText(matches.Games[0].Stats), 0}), "verified lost");
    EXPECT_EQ(judge(matches, {15880, stats, 1}), "score differs");
    EXPECT_EQ(judge(matches, {14880, EncodeStatText(matches.Games[0].Stats), 1}), "statistics differ");
    EXPECT_EQ(judge(matches, {14880, "not a statistics text", 1}), "statistics differ");
    EXPECT_EQ(judge(matches, {14880, stats, 0}), "won/lost differs");
    EXPECT_EQ(judge(matches, {14880, stats, 1}, "1.06"),
              "program version differs: the replay is of 1.06, this server's game is " + program);

    TReplayVerdict differs = matches;
    differs.Status = TReplayStatus::Differs;
    differs.Step = 4711;
    differs.Reason = "the game's state differs";
    EXPECT_EQ(judge(differs, {14880, stats, 1}), "the replay differs at step 4711: the game's state differs");
    TReplayVerdict bad;
    bad.Status = TReplayStatus::BadFile;
    bad.Reason = "line 3: what is this";
    EXPECT_EQ(judge(bad, {14880, stats, 1}, "?"), "bad replay: line 3: what is this");
}

TEST(CapThisVerification, AVerificationThatSpinsIsEndedAtItsProcessorTime) {
    ReplayCaps caps;
    caps.seconds = 1;
    EXPECT_EXIT(
        {
            CapThisVerification(caps);
            for (std::atomic<unsigned> n = 0;; n.fetch_add(1, std::memory_order_relaxed)) {
            }
        },
        testing::KilledBySignal(SIGXCPU), "");
#if !defined(__SANITIZE_ADDRESS__)
    caps.memoryMib = 64;
    EXPECT_EXIT(
        {
            CapThisVerification(caps);
            try {
                std::vector<char> big(128u << 20, 1);
                std::_Exit(big[1000]);
            } catch (const std::bad_alloc&) {
                std::_Exit(42);
            }
        },
        testing::ExitedWithCode(42), "");
#endif
}

// A store with one publication and its replay waiting, and a pool whose
// verifier is a shell script.
class VerifierPoolTest : public testing::Test {
protected:
    VerifierPoolTest() {
        ScorePublication p;
        p.score = 14880;
        p.recordSum = 7;
        p.data.statText = "stats";
        const std::string id = store.Publish(p, 0).playerId;
        replay = store.AddReplay({id, 7, "the replay\n", clock.Now()}, 10).replay;
    }

    // The verifier: `script` run by sh, with the replay on its standard input.
    std::unique_ptr<VerifierPool> Start(const std::string& script, std::chrono::milliseconds wall) {
        VerifierPoolSettings s;
        s.command = {"/bin/sh", "-c", script, "verifier"};
        s.workers = 2;
        s.caps.seconds = 1;
        s.wallLimit = wall;
        s.prepare = [this] { ++prepared; };
        s.log = [this](const std::string& line) {
            std::lock_guard lock(mutex);
            lines.push_back(line);
        };
        return std::make_unique<VerifierPool>(store, clock, std::move(s));
    }

    // The replay's state once it has one of its own (or after ten seconds).
    std::string StateWhenJudged() {
        for (int i = 0; i < 1000; ++i) {
            const std::optional<ReplayStatus> s = store.FindReplay(replay, false);
            if (!s) return "gone";
            if (s->state == "verified") return "verified " + s->outcome;
            if (s->state == "rejected") return s->reason;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return "still waiting";
    }

    SqliteScoreStore store{":memory:"};
    ManualServerClock clock{1714953600};
    std::int64_t replay = 0;
    std::atomic<int> prepared{0};
    std::mutex mutex;
    std::vector<std::string> lines;
};

TEST_F(VerifierPoolTest, TheVerifiersAnswerIsStoredWithWhatThePublicationClaimed) {
    // The claim comes as "--expect SCORE:GAMESWON:STATISTICS" and the replay on standard input.
    const auto pool =
        Start(R"sh(test "$1 $2 $(cat)" = "--expect 14880:0:stats the replay" && echo verified won)sh",
              std::chrono::seconds(10));
    EXPECT_EQ(StateWhenJudged(), "verified won");
    EXPECT_EQ(prepared, 1);
    std::lock_guard lock(mutex);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("replay 1 verified (won 14880) in ", 0), 0u) << lines[0];
}

TEST_F(VerifierPoolTest, AVerifierThatFailsSpinsOrHangsCostsItsCapAndRejectsTheReplay) {
    {
        const auto pool = Start("echo rejected score differs", std::chrono::seconds(10));
        EXPECT_EQ(StateWhenJudged(), "score differs");
    }
    const auto again = [&](const std::string& script, std::chrono::milliseconds wall) {
        ScorePublication p;
        p.recordSum = static_cast<std::uint32_t>(100 + replay);
        replay = store.AddReplay({store.Publish(p, 0).playerId, p.recordSum, "r", clock.Now()}, 10).replay;
        const auto pool = Start(script, wall);
        return StateWhenJudged();
    };
    EXPECT_EQ(again("exit 3", std::chrono::seconds(10)), "verification failed (exit status 3)");
    EXPECT_EQ(again("ulimit -t 1; while :; do :; done", std::chrono::seconds(10)),
              "verification took more than 1 s of processor time");
    EXPECT_EQ(again("exec sleep 30", std::chrono::milliseconds(300)), "verification took longer than 300 ms");
}

TEST_F(VerifierPoolTest, AVerificationRunningWhenTheServerStopsIsGivenBack) {
    {
        const auto pool = Start("exec sleep 30", std::chrono::seconds(60));
        for (int i = 0; i < 500 && store.FindReplay(replay, false)->state != "checking"; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(store.FindReplay(replay, false)->state, "checking");
    }
    EXPECT_EQ(store.FindReplay(replay, false)->state, "pending");
}

}  // namespace
