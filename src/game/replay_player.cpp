// Playing a replay on the game screen and comparing it with the game.
#include "game/replay_player.h"

#include "game/frame_timer.h"
#include "infra/checksum.h"

namespace {

std::string What(const TReplayRecord& r) {
    switch (r.Kind) {
        case TReplayItem::Frame:
            return "a frame";
        case TReplayItem::Mouse:
            return "a mouse reading";
        case TReplayItem::Clock:
            return "a clock reading";
        case TReplayItem::Event:
        case TReplayItem::Quit:
            return "an input event";
        case TReplayItem::Check:
            return "a check of step " + std::to_string(r.A);
        case TReplayItem::Game:
            return "the end of a game";
        case TReplayItem::End:
            break;
    }
    return "its end";
}

std::string GameText(const TReplayGame& g) {
    return std::string(OutcomeName(g.Outcome)) + " with " + std::to_string(g.Score) + " points";
}

}  // namespace

TReplayPlayer::TReplayPlayer(std::string_view text) : reader_(text), header_(reader_.ReadHeader()) {}

const TReplayRecord* TReplayPlayer::Peek() {
    if (!peeked_) {
        if (!reader_.Next(next_)) return nullptr;
        peeked_ = true;
    }
    return &next_;
}

void TReplayPlayer::Differ(const std::string& reason, std::uint64_t step) {
    if (!difference_) {
        difference_ = reason;
        differenceStep_ = step;
    }
    feeding_ = false;
}

void TReplayPlayer::Stop() {
    feeding_ = false;
    stopped_ = true;
}

void TReplayPlayer::Feed(std::uint64_t& budget) {
    while (feeding_ && target_ && !target_->ReplayClosed()) {
        const TReplayRecord* r = Peek();
        if (!r) return;
        switch (r->Kind) {
            case TReplayItem::Event: {
                const InputEvent e = r->Event;
                Take();
                target_->ReplayEvent(e);
                break;
            }
            case TReplayItem::Quit:
                Take();
                target_->ReplayQuit();
                break;
            case TReplayItem::Frame:
                if (!RunFrame(budget)) return;
                break;
            default:
                BetweenFrames();
                break;
        }
    }
}

bool TReplayPlayer::RunFrame(std::uint64_t& budget) {
    const auto steps = static_cast<std::int32_t>(next_.A);
    if (!target_->ReplayLoopRunning()) {
        Differ("the game screen stopped its frames where the replay goes on", Step());
        return false;
    }
    if (budget < static_cast<std::uint64_t>(steps)) return false;
    const TReplayReader before = reader_;
    const TReplayRecord frame = next_;
    Take();
    budget -= static_cast<std::uint64_t>(steps);
    if (target_->ReplayFrame(steps, budget < static_cast<std::uint64_t>(MaxStepsPerFrame))) return true;
    // Its steps did not run (the screen's surfaces were lost): again later.
    reader_ = before;
    next_ = frame;
    peeked_ = true;
    return false;
}

void TReplayPlayer::BetweenFrames() {
    if (next_.Kind == TReplayItem::End) {
        // A replay cut short ends with its last check, already compared.
        Take();
        finished_ = cut_ = true;
        feeding_ = false;
        return;
    }
    if (next_.Kind == TReplayItem::Check) {
        const TReplayReader before = reader_;
        TReplayRecord after;
        const bool last = reader_.Next(after) && after.Kind == TReplayItem::End;
        reader_ = before;
        if (last) {
            finished_ = true;
            feeding_ = false;
            if (target_->ReplayLoopRunning() && !target_->ReplayClosed())
                Differ("the replay ends after step " + std::to_string(next_.A) + ", the game goes on",
                       Step());
            return;
        }
    }
    Differ("the replay has " + What(next_) + " the game did not come to", Step());
}

void TReplayPlayer::Mouse(std::int32_t& x, std::int32_t& y) {
    if (feeding_) {
        const TReplayRecord* r = Peek();
        if (r && r->Kind == TReplayItem::Mouse) {
            mouseX_ = static_cast<std::int32_t>(r->A);
            mouseY_ = static_cast<std::int32_t>(r->B);
            mouseKnown_ = true;
            Take();
        } else if (!mouseKnown_) {
            Differ("the game reads the mouse where the replay has " + (r ? What(*r) : std::string("nothing")),
                   Step() + 1);
        }
    }
    // The mouse of the room the replay is watched in never counts.
    if (mouseKnown_) {
        x = mouseX_;
        y = mouseY_;
    }
}

void TReplayPlayer::Clock(std::uint32_t& ms) {
    if (!feeding_) return;
    const TReplayRecord* r = Peek();
    if (r && r->Kind == TReplayItem::Clock) {
        ms = static_cast<std::uint32_t>(r->A);
        Take();
    } else {
        Differ("the game reads the clock where the replay has " + (r ? What(*r) : std::string("nothing")),
               Step() + 1);
    }
}

void TReplayPlayer::Check(std::uint64_t step, std::uint32_t sum) {
    if (!feeding_) return;
    const TReplayRecord* r = Peek();
    if (!r || r->Kind != TReplayItem::Check || static_cast<std::uint64_t>(r->A) != step) {
        Differ("the game is at a check where the replay has " + (r ? What(*r) : std::string("nothing")),
               step);
    } else if (static_cast<std::uint32_t>(r->B) != sum) {
        Differ("the game's state differs from the replay's (checksum " + ChecksumText(sum) +
                   ", the replay has " + ChecksumText(static_cast<std::uint32_t>(r->B)) + ")",
               step);
    } else {
        Take();
    }
}

void TReplayPlayer::GameEnded(std::uint64_t step, const TReplayGame& game) {
    if (!feeding_) return;
    games_.push_back(game);
    const TReplayRecord* r = Peek();
    if (!r || r->Kind != TReplayItem::Game) {
        Differ("game " + std::to_string(games_.size()) + " ended " + GameText(game) +
                   " where the replay has " + (r ? What(*r) : std::string("nothing")),
               step);
    } else if (!(r->Game == game)) {
        Differ("game " + std::to_string(games_.size()) + " ended " + GameText(game) + ", in the replay " +
                   GameText(r->Game) +
                   (r->Game.Score == game.Score && r->Game.Outcome == game.Outcome ? " and other statistics"
                                                                                   : ""),
               step);
    } else {
        Take();
    }
}

void TReplayPlayer::Closed(std::uint64_t steps, std::uint32_t sum) {
    // Stopped by the viewer, the screen closes early on purpose.
    if (stopped_) return;
    if (feeding_ && Peek() && next_.Kind == TReplayItem::Check) BetweenFrames();
    if (!finished_) {
        Differ("the game screen closed after step " + std::to_string(steps) + " where the replay goes on",
               steps);
        return;
    }
    if (cut_ || !Peek()) return;
    if (next_.Kind != TReplayItem::Check || static_cast<std::uint64_t>(next_.A) != steps)
        Differ("the game screen closed after step " + std::to_string(steps) + ", in the replay after " +
                   (next_.Kind == TReplayItem::Check ? "step " + std::to_string(next_.A) : What(next_)),
               steps);
    else if (static_cast<std::uint32_t>(next_.B) != sum)
        Differ("the game screen closed in another state than the replay's (checksum " + ChecksumText(sum) +
                   ", the replay has " + ChecksumText(static_cast<std::uint32_t>(next_.B)) + ")",
               steps);
    Take();
}
