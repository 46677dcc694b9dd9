// The replay player against a game screen of its own making: it keeps the
// recorded order of events and frames, runs frames while their steps fit the
// budget (drawing the one that uses it up, not those of a large budget),
// plays a frame again whose steps could not run, answers the mouse from the
// file and compares the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/replay_player.h"

namespace {

// Reads the mouse once per frame and counts steps, as the game screen would.
class TFakeScreen : public IReplayTarget {
public:
    explicit TFakeScreen(TReplayPlayer& player) : player_(player) { player.Attach(*this); }

    bool ReplayFrame(std::int32_t steps, bool draw) override {
        if (lost > 0) {
            --lost;
            calls.push_back("lost");
            return false;
        }
        std::int32_t x = -1, y = -1;
        player_.Mouse(x, y);
        steps_ += static_cast<std::uint64_t>(steps);
        calls.push_back("f" + std::to_string(steps) + (draw ? " drawn" : "") + " at " + std::to_string(x) +
                        "," + std::to_string(y));
        return true;
    }
    void ReplayEvent(const InputEvent& e) override { calls.push_back("key " + std::to_string(e.Key)); }
    // Here the quit stops the frames at once (a game winds down first).
    void ReplayQuit() override {
        calls.push_back("quit");
        running_ = false;
    }
    bool ReplayLoopRunning() const override { return running_; }
    bool ReplayClosed() const override { return false; }
    std::uint64_t ReplaySteps() const override { return steps_; }

    std::vector<std::string> calls;
    int lost = 0;

private:
    TReplayPlayer& player_;
    std::uint64_t steps_ = 0;
    bool running_ = true;
};

std::string Replay(const std::string& body) {
    return HeaderText(TReplayHeader{}) + body;
}

}  // namespace

TEST(ReplayPlayer, FramesFitTheBudgetComeAgainWhenLostAndTheEndIsCompared) {
    const std::string text =
        Replay("f 2\nm 5 6\nkeydown 80\nf 3\nf 1\nm 7 8\nquit\ncheck 6 0000abcd\nend 6 3\n");
    ASSERT_NO_THROW(ValidateReplay(text, {}));
    TReplayPlayer player(text);
    TFakeScreen screen(player);
    std::uint64_t budget = 4;
    player.Feed(budget);  // the second frame's 3 steps do not fit in the 2 left
    EXPECT_EQ(screen.calls, (std::vector<std::string>{"f2 drawn at 5,6", "key 80"}));
    EXPECT_EQ(budget, 2u);
    screen.lost = 1;
    budget += 3;
    player.Feed(budget);  // its steps could not run: it waits for the next feed
    EXPECT_EQ(screen.calls.back(), "lost");
    budget = 100;
    player.Feed(budget);
    EXPECT_EQ(screen.calls, (std::vector<std::string>{"f2 drawn at 5,6", "key 80", "lost", "f3 at 5,6",
                                                      "f1 at 7,8", "quit"}));
    EXPECT_TRUE(player.Finished());
    EXPECT_FALSE(player.Feeding());
    player.Closed(6, 0x1234);
    ASSERT_TRUE(player.Difference());
    EXPECT_EQ(*player.Difference(),
              "the game screen closed in another state than the replay's (checksum 00001234, the replay has "
              "0000abcd)");
    EXPECT_EQ(player.DifferenceStep(), 6u);
}

TEST(ReplayPlayer, AReadingTheGameDidNotMakeStopsTheFeedingAtItsStep) {
    // The recorded game read the clock after its first frame; this one does not.
    const std::string text = Replay("f 1\nm 1 1\nt 500\nf 1\ncheck 2 00000000\nend 2 2\n");
    TReplayPlayer player(text);
    TFakeScreen screen(player);
    std::uint64_t budget = 10;
    player.Feed(budget);
    EXPECT_EQ(screen.calls, std::vector<std::string>{"f1 at 1,1"});
    EXPECT_FALSE(player.Feeding());
    EXPECT_FALSE(player.Finished());
    EXPECT_EQ(player.Difference().value_or(""), "the replay has a clock reading the game did not come to");
    EXPECT_EQ(player.DifferenceStep(), 1u);
}
