// One enemy: launching from the left edge, demo appearances, passing the
// pipe (and losing the game), leaving, bubble trails and dissolving.
#include <cmath>

#include "engine/screen.h"
#include "infra/random.h"
#include "world/bubbles.h"
#include "world/pipe.h"
#include "world/sound_cues.h"
#include "world/swarm.h"
#include "world/world.h"

namespace {

constexpr double DemoChance = 0.0005;

float F() {
    return static_cast<float>(ProjectionScale);
}

}  // namespace

TSperm::TSperm(TSpermien& owner) : owner_(owner) {
    AddBob(owner.KindTable[1].GO, 0, -1, 0, 0, 0);
    AddBobByName("Velmoralogo", 0, -1, -82 - Bob(1)->Width / 2, 0, 0);
    SetVisible(false);
    Delay = 0;
}

float TSperm::NoseX() {
    return X + Bob(1)->Width / 2;
}

void TSperm::Launch(std::int32_t object, float y, float thrust) {
    const std::int32_t kind = owner_.KindOfGO(object);
    if (kind == 0) return;  // an object of no kind launches nothing
    ThrustX = thrust;
    // Let the velocity settle near 10 x thrust; the position is set below.
    for (int i = 0; i < 50; ++i) TRBob::Move();
    TBob* body = Bob(1);
    body->SetAnimationOf(object, 0);
    body->FramePos = static_cast<std::uint16_t>(RandInt(12));
    const TKind& k = owner_.KindTable[static_cast<std::size_t>(kind)];
    Kind = kind;
    HitValue = k.HitValue;
    Deadly = k.Deadly;
    ++owner_.Stats[KindStat(TKindStat::Launched, Kind)];
    Caught = false;
    SetVisible(true);
    const float w = body->Width;
    // The campaign logo rides along with the white sperms after a defeat.
    if (owner_.World().Displays().IsGameOver() && Kind == 1)
        Member(2).DX = -55 - w / 2 - 10;
    else
        Bob(2)->Visible = false;
    SetX(-400 - w / 2);
    SetY(y);
    SetZ(-F());
    Passed = false;
}

void TSperm::Step() {
    AnimateBobs();
    if (!Visible) {
        if (Delay > 0 && --Delay == 0) {
            SetVisible(true);
            Bob(2)->Visible = false;
        }
        if (owner_.DemoMode && RandFloat() < DemoChance) DemoAppear();
        return;
    }
    CheckPassing();
    const float w = Bob(1)->Width;
    const float depth = Z < 0 ? -Z : Z;
    if (X > 400 * depth / F() + (F() / depth) * (w / 2)) SetVisible(false);
    const bool sperm = owner_.KindOfGO(Bob(1)->GO) >= 1 && owner_.KindOfGO(Bob(1)->GO) <= 3;
    if (RandFloat() < (sperm ? 0.01 : 0.1)) owner_.World().Bubbles->Emit(5, X, Y, Z);
}

// A random enemy somewhere between the planes -400 and -1200, entering
// from the left edge of the screen at that depth.
void TSperm::DemoAppear() {
    const double r = RandFloat();
    const std::int32_t kind =
        r < 0.8 ? 1 + static_cast<std::int32_t>(RandInt(2)) : 4 + static_cast<std::int32_t>(RandInt(3));
    TBob* body = Bob(1);
    body->SetAnimationOf(owner_.KindTable[static_cast<std::size_t>(kind)].GO, 0);
    Caught = false;
    SetVisible(true);
    Bob(2)->Visible = false;
    const float f = F();
    const float z = -f / 2 - static_cast<float>(RandFloat()) * f;
    SetZ(z);
    SetX(400 * z / f + (f / z) * (body->Width / 2));
    SetY(static_cast<float>(250 - static_cast<std::int32_t>(RandInt(500))) * z / f);
    ThrustX = 0.3f + 0.4f * static_cast<float>(RandFloat());
    Passed = false;
}

void TSperm::CheckPassing() {
    if (Passed || Caught || owner_.DemoMode || NoseX() <= 400) return;
    ++owner_.Stats[KindStat(TKindStat::Passed, Kind)];
    if (Kind == 1 || Kind == 3) PlayAt("spermdurch", X, Z);
    Passed = true;
    TWorld& world = owner_.World();
    if (!world.Displays().IsGameOver() && Deadly) {
        world.Displays().Defeat();
        if (world.Rohre) world.Rohre->ShowEmpty();
    }
}

void TSperm::Bubbleize() {
    SetVisible(false);
    const auto w = static_cast<std::int32_t>(std::lround(Bob(1)->Width));
    const auto h = static_cast<std::int32_t>(std::lround(Bob(1)->Height));
    if (w <= 0) return;
    for (std::int32_t e = 1; e <= w; ++e)
        if (RandFloat() < 0.1)
            owner_.World().Bubbles->Emit(
                5, X - static_cast<float>(w / 2) + static_cast<float>(e),
                Y - static_cast<float>(h / 2) + static_cast<float>(RandInt(static_cast<std::uint32_t>(h))),
                Z);
}
