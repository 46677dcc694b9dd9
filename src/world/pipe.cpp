// The pipe pool and the pipe's aim, firing, cost and recoil.
#include "world/pipe.h"

#include <algorithm>

#include "engine/screen.h"
#include "world/bubble_points.h"
#include "world/shots.h"
#include "world/sound_cues.h"
#include "world/world.h"

namespace {

constexpr std::int32_t AnimLoaded = 0;  // geladen
constexpr std::int32_t AnimEmpty = 1;   // leer
constexpr float MaxAim = 255.0f;
constexpr float Recoil = 20.0f;
// The shot starts this far inside the pipe's left end.
constexpr float MuzzleInset = 10.0f;

}  // namespace

TRohr::TRohr(TWorld& world) : world_(world) {
    AddBobByName("Rohr", AnimLoaded, -1, 0, 0, 0);
    const auto f = static_cast<float>(ProjectionScale);
    RestAt(PipeRestX, 0, -f);
    ApproachDivisor = 30.0f;
    Damping = 1.1f;
    SetVisible(false);
}

void TRohr::Step() {
    AnimateBobs();
    if (!Visible) return;
    TGameScreenFields& screen = world_.Screen;
    const float aim = std::clamp(static_cast<float>(screen.MouseY - 300), -MaxAim, MaxAim);
    SetY(aim);
    TargetY = aim;
    if (screen.PendingShots < 1) return;
    if (world_.Displays().IsGameOver())
        PlayAt("leer", X, Z);  // the pipe is empty after a defeat: it only clicks
    else
        FireOne();
    --screen.PendingShots;
}

void TRohr::FireOne() {
    const std::int32_t cost = world_.Displays().IsTorpedoMode() ? TorpedoCost : CondomCost;
    const float muzzle = X - Bob(1)->Width / 2 + MuzzleInset;
    world_.Schuesse->Fire(muzzle, Y, Z);
    world_.Bubblpoints->Score(-cost, muzzle - 50, Y, Z);
    Bob(1)->Restart(AnimEmpty);
    Bob(1)->SetNextToCurrent(AnimLoaded);
    SetX(X + Recoil);
    TargetX = PipeRestX;
}

void TRohre::AddRohr() {
    if (Count >= 1) return;
    Items[0] = std::make_unique<TRohr>(world_);
    Count = 1;
}

void TRohre::Move() {
    for (std::int32_t i = 1; i <= Count; ++i) {
        TRohr* pipe = Item(i);
        if (pipe->Visible) pipe->Steer();
        pipe->TRBob::Move();
        pipe->Step();
    }
}

void TRohre::Show() {
    for (std::int32_t i = 1; i <= Count; ++i) Item(i)->SetVisible(true);
}

void TRohre::Hide() {
    for (std::int32_t i = 1; i <= Count; ++i) Item(i)->SetVisible(false);
}

void TRohre::ShowEmpty() {
    for (std::int32_t i = 1; i <= Count; ++i) Item(i)->Bob(1)->Restart(AnimEmpty);
}
