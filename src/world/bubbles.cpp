// The bubble pool: showing, rising, bursting and the spontaneous bubbles.
#include "world/bubbles.h"

#include <string>

#include "engine/graphic_objects.h"
#include "engine/screen.h"
#include "infra/env_data.h"
#include "infra/random.h"
#include "world/floating_body.h"

namespace {

// The player's bubble amount decides whether a bubble appears at all.
bool BubbleChance() {
    return static_cast<std::int32_t>(RandInt(100)) + 1 <= Env.BubblesPercent;
}

}  // namespace

TBubble::TBubble() {
    AddBob(GetGOIndex("P1"), 0, -1, 0, 0, 0);
    MakeFloatingBody(*this);
}

void TBubble::Show(std::int32_t minSize, float x, float y, float z) {
    SetX(x);
    SetY(y);
    SetZ(z);
    // Sizes run from "p<minSize>" to "p8" (the smallest), all equally likely.
    const std::int32_t size =
        minSize + static_cast<std::int32_t>(RandInt(static_cast<std::uint32_t>(9 - minSize)));
    Bob(1)->SetAnimationOf(GetGOIndex("p" + std::to_string(size)), 0);
    SetVisible(true);
    TargetX = 100000.0f;
    TargetY = -100000.0f;
    TargetZ = Z;
    WobbleX = WobbleY = WobbleZ = 0;
    WobbleVelocityX = WobbleVelocityY = WobbleVelocityZ = 0;
    WobbleAccelX = WobbleAccelY = WobbleAccelZ = 0;
    WobbleX = static_cast<float>((RandFloat() - 0.5) * 10);
    WobbleVelocityX = static_cast<float>((RandFloat() - 0.5) * 10 / 200);
}

void TBubble::Step() {
    AnimateBobs();
    if (Visible) {
        if (Y < -350) SetVisible(false);
        if (RandFloat() < 0.003) SetVisible(false);
        return;
    }
    if (RandFloat() < 0.0001 && BubbleChance()) {
        // Along the bottom first, then the depth: drawn one after the other,
        // since the order of draws inside one call's arguments is the compiler's.
        const float f = static_cast<float>(ProjectionScale);
        const auto x = static_cast<float>(static_cast<std::int32_t>(RandInt(800)) - 400);
        const float z = static_cast<float>(2 * RandFloat()) - f - 1;
        Show(1, x, 350, z);
    }
}

void TBubbles::AddBubble() {
    if (Env.BubblesPercent == 0 || Count >= MaxBubbles) return;
    Items[static_cast<std::size_t>(Count)] = std::make_unique<TBubble>();
    ++Count;
}

void TBubbles::Emit(std::int32_t minSize, float x, float y, float z) {
    if (!BubbleChance()) return;
    for (int n = 1; n <= Count; ++n) {
        if (!Item(n)->Visible) {
            Item(n)->Show(minSize, x, y, z);
            return;
        }
    }
}

void TBubbles::Move() {
    for (int n = 1; n <= Count; ++n) {
        TBubble* b = Item(n);
        if (b->Visible) b->Steer();
        b->Move();
        b->Step();
    }
}

void TBubbles::HideAll() {
    for (int n = 1; n <= Count; ++n) Item(n)->SetVisible(false);
}
