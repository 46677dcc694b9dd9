// The tape of a game screen that plays a replay: it feeds the recorded
// events and frames to the screen in their order, answers the game's mouse
// and clock readings from the file, and compares every check and game result
// with the game's own. The first difference stops the feeding.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_tape.h"
#include "game/replay_format.h"

// What the player drives: the game screen.
class IReplayTarget {
public:
    virtual ~IReplayTarget() = default;
    // Runs a frame of that many steps, drawn or not; false when its steps
    // could not run yet (lost surfaces): it comes again.
    virtual bool ReplayFrame(std::int32_t steps, bool draw) = 0;
    virtual void ReplayEvent(const InputEvent& event) = 0;
    virtual void ReplayQuit() = 0;
    // The frame loop still runs (the states have not stopped it).
    virtual bool ReplayLoopRunning() const = 0;
    // The screen has closed.
    virtual bool ReplayClosed() const = 0;
    // The steps the game has run so far.
    virtual std::uint64_t ReplaySteps() const = 0;
};

class TReplayPlayer : public IGameTape {
public:
    // text must have passed ValidateReplay and outlive the player.
    explicit TReplayPlayer(std::string_view text);

    const TReplayHeader& Header() const { return header_; }
    void Attach(IReplayTarget& target) { target_ = &target; }
    // Runs the events up to the next frame and frames while their steps fit
    // into budget, which they use up. The frame that uses the budget up is
    // drawn; the others are not.
    void Feed(std::uint64_t& budget);
    // Feeding stopped: the replay is over, differs or the viewer stopped it.
    bool Feeding() const { return feeding_; }
    // The viewer stops watching.
    void Stop();

    // The verdict so far.
    bool Finished() const { return finished_; }
    bool Cut() const { return cut_; }
    const std::optional<std::string>& Difference() const { return difference_; }
    std::uint64_t DifferenceStep() const { return differenceStep_; }
    const std::vector<TReplayGame>& Games() const { return games_; }

    bool Playing() const override { return true; }
    void Frame(std::int32_t) override {}
    void Event(const InputEvent&) override {}
    void Quit() override {}
    void Mouse(std::int32_t& x, std::int32_t& y) override;
    void Clock(std::uint32_t& ms) override;
    void Check(std::uint64_t step, std::uint32_t sum) override;
    void GameEnded(std::uint64_t step, const TReplayGame& game) override;
    void Closed(std::uint64_t steps, std::uint32_t sum) override;

private:
    // The next item, read but not yet taken.
    const TReplayRecord* Peek();
    void Take() { peeked_ = false; }
    // The first difference, found at that step; feeding stops.
    void Differ(const std::string& reason, std::uint64_t step);
    // Between frames: an item the game should have asked for inside one, or
    // the last check before the end.
    void BetweenFrames();
    // A frame: false when the budget does not reach it.
    bool RunFrame(std::uint64_t& budget);
    std::uint64_t Step() const { return target_ ? target_->ReplaySteps() : 0; }

    TReplayReader reader_;
    TReplayHeader header_;
    TReplayRecord next_;
    bool peeked_ = false;
    IReplayTarget* target_ = nullptr;
    bool feeding_ = true, finished_ = false, cut_ = false, stopped_ = false;
    std::optional<std::string> difference_;
    std::uint64_t differenceStep_ = 0;
    bool mouseKnown_ = false;
    std::int32_t mouseX_ = 0, mouseY_ = 0;
    std::vector<TReplayGame> games_;
};
