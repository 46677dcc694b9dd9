// The recording tape of a normal visit to the game screen: every line goes
// into a buffer reserved when the screen is made, so the frame path neither
// allocates nor writes a file. A visit that fills the buffer stops recording
// at its last check and says so in its end line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "game/game_tape.h"
#include "game/replay_format.h"

// Hours of play, and only address space until it is written.
constexpr std::size_t ReplayBufferBytes = 8u * 1024 * 1024;

class TReplayRecorder : public IGameTape {
public:
    explicit TReplayRecorder(std::size_t capacity = ReplayBufferBytes);

    // Starts the recording with what decides the visit.
    void Begin(const TReplayHeader& header);
    bool Begun() const { return begun_; }
    const TReplayHeader& Header() const { return header_; }
    // The replay; complete once Closed has run (empty when it was cut before
    // its first check).
    const std::string& Text() const { return text_; }
    bool Complete() const { return closed_ && !text_.empty(); }
    std::uint64_t GamesPlayed() const { return games_; }
    std::int32_t BestScore() const { return best_; }

    bool Playing() const override { return false; }
    void Frame(std::int32_t steps) override;
    void Event(const InputEvent& event) override;
    void Quit() override;
    void Mouse(std::int32_t& x, std::int32_t& y) override;
    void Clock(std::uint32_t& ms) override;
    void Check(std::uint64_t step, std::uint32_t sum) override;
    void GameEnded(std::uint64_t step, const TReplayGame& game) override;
    void Closed(std::uint64_t steps, std::uint32_t sum) override;

private:
    // Appends the line unless the buffer would then leave no room for the end.
    void Put(const TReplayLine& line);
    void Append(const TReplayLine& line);

    std::string text_;
    TReplayHeader header_;
    bool begun_ = false, cut_ = false, closed_ = false;
    bool mouseKnown_ = false;
    std::int32_t lastX_ = 0, lastY_ = 0;
    std::uint64_t frames_ = 0;
    // Where the last check ended, for a recording that has to stop there.
    std::size_t checkEnd_ = 0;
    std::uint64_t checkStep_ = 0, checkFrames_ = 0;
    bool checked_ = false;
    std::uint64_t games_ = 0;
    std::int32_t best_ = EmptyHighscore;
};
