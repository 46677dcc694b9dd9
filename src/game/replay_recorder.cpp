// Recording a visit to the game screen.
#include "game/replay_recorder.h"

#include <algorithm>

namespace {
// Kept free for the last check and the end line.
constexpr std::size_t EndRoom = 1024;
}  // namespace

TReplayRecorder::TReplayRecorder(std::size_t capacity) {
    text_.reserve(capacity);
}

void TReplayRecorder::Begin(const TReplayHeader& header) {
    header_ = header;
    // Into the reserved buffer: assigning a new string would take its small one.
    text_.clear();
    text_.append(HeaderText(header));
    begun_ = true;
}

void TReplayRecorder::Put(const TReplayLine& line) {
    if (!begun_ || cut_ || closed_ || line.Full()) return;
    if (text_.size() + line.Text().size() + 1 + EndRoom > text_.capacity()) {
        cut_ = true;
        return;
    }
    Append(line);
}

void TReplayRecorder::Append(const TReplayLine& line) {
    text_.append(line.Text());
    text_.push_back('\n');
}

void TReplayRecorder::Frame(std::int32_t steps) {
    TReplayLine line;
    line.Word("f");
    line.Number(steps);
    Put(line);
    if (!cut_) ++frames_;
}

void TReplayRecorder::Event(const InputEvent& event) {
    TReplayLine line;
    if (EventLine(event, line)) Put(line);
}

void TReplayRecorder::Quit() {
    TReplayLine line;
    line.Word("quit");
    Put(line);
}

void TReplayRecorder::Mouse(std::int32_t& x, std::int32_t& y) {
    if (mouseKnown_ && x == lastX_ && y == lastY_) return;
    mouseKnown_ = true;
    lastX_ = x;
    lastY_ = y;
    TReplayLine line;
    line.Word("m");
    line.Number(x);
    line.Number(y);
    Put(line);
}

void TReplayRecorder::Clock(std::uint32_t& ms) {
    TReplayLine line;
    line.Word("t");
    line.Number(ms);
    Put(line);
}

void TReplayRecorder::Check(std::uint64_t step, std::uint32_t sum) {
    TReplayLine line;
    line.Word("check");
    line.Number(static_cast<std::int64_t>(step));
    line.Sum(sum);
    Put(line);
    if (cut_) return;
    checked_ = true;
    checkEnd_ = text_.size();
    checkStep_ = step;
    checkFrames_ = frames_;
}

void TReplayRecorder::GameEnded(std::uint64_t, const TReplayGame& game) {
    ++games_;
    best_ = std::max(best_, game.Score);
    TReplayLine line;
    GameLine(game, line);
    Put(line);
}

void TReplayRecorder::Closed(std::uint64_t steps, std::uint32_t sum) {
    if (!begun_ || closed_) return;
    closed_ = true;
    TReplayLine end;
    end.Word("end");
    if (cut_) {
        // The replay stops at its last check, which then ends it.
        if (!checked_) {
            text_.clear();
            return;
        }
        text_.resize(checkEnd_);
        end.Number(static_cast<std::int64_t>(checkStep_));
        end.Number(static_cast<std::int64_t>(checkFrames_));
        end.Word("cut");
    } else {
        TReplayLine check;
        check.Word("check");
        check.Number(static_cast<std::int64_t>(steps));
        check.Sum(sum);
        Append(check);
        end.Number(static_cast<std::int64_t>(steps));
        end.Number(static_cast<std::int64_t>(frames_));
    }
    Append(end);
}
