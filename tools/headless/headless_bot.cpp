// The headless runner's bot.
#include "headless_bot.h"

#include <cmath>

#include "hud/displays.h"
#include "world/pipe.h"
#include "world/shots.h"
#include "world/swarm.h"

namespace {

constexpr std::uint32_t LeaveInfoAfterMs = 1000;

// How long the bot looks at the title before it starts the game.
constexpr std::uint32_t TitleWaitMs = 1000;
// The pipe must be this close to the target's row before a shot leaves; a
// condom's hit box is about twice as high.
constexpr float AimTolerance = 8.0f;
// Clicks at least this far apart, as a hand would.
constexpr std::uint32_t MinClickGapMs = 100;

// A condom in flight (not yet caught on anything) that will meet the enemy:
// on its row and still to the right of its nose.
bool ShotOnItsWay(const TWorld& world, const TSperm& target) {
    if (!world.Schuesse) return false;
    for (std::int32_t i = 1; i <= world.Schuesse->Count; ++i) {
        TSchuss* s = world.Schuesse->Item(i);
        if (!s || !s->Visible || !s->Bob(1)->Visible) continue;
        if (std::fabs(s->Y - target.Y) < s->HalfHeight && s->X > const_cast<TSperm&>(target).NoseX())
            return true;
    }
    return false;
}

}  // namespace

THeadlessBot::THeadlessBot(CaptureDisplay& display, TDDFullScreenForm1& form, bool fires,
                           std::uint32_t delayMs)
    : display_(display), form_(form), fires_(fires), delayMs_(delayMs) {}

void THeadlessBot::Schedule(InputKind kind, char c, std::uint16_t key) {
    InputEvent e;
    e.Kind = kind;
    e.Char = c;
    e.Key = key;
    display_.ScheduleInput(display_.Elapsed() + delayMs_, e);
}

void THeadlessBot::OnFrame() {
    if (leaving_) return;
    if (!started_) {
        if (form_.glsproc == &TDDFullScreenForm1::glsBegin && display_.Elapsed() >= TitleWaitMs) {
            Schedule(InputKind::MouseDown);
            Schedule(InputKind::MouseUp);
            started_ = true;
        }
        return;
    }
    const TGameWorld& world = form_.World;
    if (world.Anzeige && world.Anzeige->HSEntryActive()) {
        if (!entryConfirmed_) Schedule(InputKind::KeyPress, 13);
        entryConfirmed_ = true;
        return;
    }
    if (world.Playing) Play();
}

TSperm* THeadlessBot::NearestThreat() const {
    const std::uint32_t now = display_.Elapsed();
    TSperm* best = nullptr;
    TSpermien& swarm = *form_.World.Spermien;
    for (std::int32_t i = 1; i <= swarm.ItemCount; ++i) {
        TSperm* s = swarm.Item(i);
        if (!s || !s->Visible || s->Caught || s->Passed || !s->Deadly) continue;
        // Taken care of: a click at it is still on its way, or a condom is.
        const auto aimed = lastShotAt_.find(s);
        if (aimed != lastShotAt_.end() && now - aimed->second < delayMs_ + MinClickGapMs) continue;
        if (ShotOnItsWay(form_.World, *s)) continue;
        if (!best || s->NoseX() > best->NoseX()) best = s;
    }
    return best;
}

void THeadlessBot::Play() {
    const TGameWorld& world = form_.World;
    if (!world.Spermien || !world.Rohre || !world.Rohre->Item(1)) return;
    TSperm* target = NearestThreat();
    if (!target) return;
    const std::int32_t row = static_cast<std::int32_t>(std::lround(target->Y)) + 300;
    display_.ScheduleMouse(display_.Elapsed() + delayMs_, 400, row);
    if (!fires_ || (world.Anzeige && world.Anzeige->GameOver)) return;
    const std::uint32_t now = display_.Elapsed();
    if (std::fabs(world.Rohre->Item(1)->Y - target->Y) >= AimTolerance) return;
    if (now - lastClickAt_ < MinClickGapMs) return;
    Schedule(InputKind::MouseDown);
    Schedule(InputKind::MouseUp);
    lastClickAt_ = now;
    lastShotAt_[target] = now;
    ++clicks_;
}

void THeadlessBot::OnLogLine(std::string_view line) {
    if (leaving_ || (line != "glsLoop: Won" && line != "glsLoop: Lost")) return;
    outcome_ = line == "glsLoop: Won" ? "won" : "lost";
    const TGameWorld& world = form_.World;
    if (world.Anzeige) points_ = world.Anzeige->ScorePoints->Points;
    if (world.Spermien) {
        const TGameStats& stats = world.Spermien->Stats;
        for (int k = 1; k <= KindCount; ++k) {
            launched_ += stats[KindStat(TKindStat::Launched, k)];
            hits_ += stats[KindStat(TKindStat::FarHits, k)] + stats[KindStat(TKindStat::NearHits, k)];
        }
    }
    leaving_ = true;
    // Escape leaves the title screen of the next game, and a second one a
    // second later the information picture, instead of its three minutes.
    InputEvent escape;
    escape.Kind = InputKind::KeyDown;
    escape.Key = VK_ESCAPE;
    display_.ScheduleInput(display_.Elapsed(), escape);
    display_.ScheduleInput(display_.Elapsed() + LeaveInfoAfterMs, escape);
}

std::string THeadlessBot::Result() const {
    return outcome_ + " points=" + std::to_string(points_) + " clicks=" + std::to_string(clicks_) +
           " launched=" + std::to_string(launched_) + " hits=" + std::to_string(hits_);
}
