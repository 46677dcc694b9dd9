// The bubble point pool: the score changes and their floating numbers.
#include "world/bubble_points.h"

#include "engine/graphic_objects.h"
#include "engine/screen.h"
#include "infra/random.h"
#include "world/floating_body.h"
#include "world/world.h"

std::uint16_t PointsPicture(std::int32_t value) {
    if (value >= -250 && value <= 250 && value != 0 && value % 10 == 0)
        return static_cast<std::uint16_t>(value < 0 ? value / 10 + 25 : value / 10 + 24);
    if (value == 500) return 50;
    return 25;
}

TBubblepoint::TBubblepoint() {
    AddBob(GetGOIndex("points"), 0, -1, 0, 0, 0);
    Bob(1)->ScreenMode = true;
    Bob(1)->Project = true;
    MakeFloatingBody(*this);
}

void TBubblepoint::Show(std::int32_t value, float x, float y, float z) {
    Life = 50;
    SetX(x);
    SetY(y);
    SetZ(z + 20);  // in front of what scored
    Bob(1)->FramePos = PointsPicture(value);
    Bob(1)->Alpha = 255;
    SetVisible(true);
    TargetX = 100000.0f;
    TargetY = -100000.0f;
    TargetZ = Z;
    WobbleY = WobbleZ = 0;
    WobbleVelocityY = WobbleVelocityZ = 0;
    WobbleAccelX = WobbleAccelY = WobbleAccelZ = 0;
    WobbleX = static_cast<float>((RandFloat() - 0.5) * 10);
    WobbleVelocityX = static_cast<float>((RandFloat() - 0.5) * 10 / 200);
}

void TBubblepoint::Step() {
    AnimateBobs();
    if (!Visible) return;
    --Life;
    if (Life < 16 && Life >= 0) Bob(1)->Alpha = static_cast<std::uint8_t>(Life * 16);
    if (Life <= 0 || Y < -350) SetVisible(false);
}

void TBubblpoints::AddBubblepoint() {
    if (Count >= MaxBubblepoints) return;
    Items[static_cast<std::size_t>(Count)] = std::make_unique<TBubblepoint>();
    ++Count;
}

void TBubblpoints::Score(std::int32_t value, float x, float y, float z) {
    world_.Displays().AddPoints(value);
    for (int n = 1; n <= Count; ++n) {
        if (!Item(n)->Visible) {
            Item(n)->Show(value, x, y, z);
            return;
        }
    }
}

void TBubblpoints::Move() {
    for (int n = 1; n <= Count; ++n) {
        TBubblepoint* p = Item(n);
        if (p->Visible) p->Steer();
        p->Move();
        p->Step();
    }
}
