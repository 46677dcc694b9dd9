// The letters, the start prompt and the torpedo icons: one picture each.
#include "hud/simple_displays.h"

namespace {

// The gliding displays home in slowly and come to rest without overshooting.
void Glider(TRBob& body) {
    body.ApproachDivisor = 200;
    body.Damping = 1.1f;
}

}  // namespace

Tcongrat::Tcongrat() {
    AddBobByName("Congratulations", 0, -1, 0, 0, 0);
    RestAt(0, 0, -80);
    Glider(*this);
    SetVisible(false);
}

Tpressbutton::Tpressbutton() {
    AddBobByName("buttontostart", 0, -1, 0, 0, 0);
    Bob(1)->ScreenMode = true;
    Bob(1)->Project = true;
    RestAt(X, Y, Z);  // the title sequence places it
    Glider(*this);
    SetVisible(false);
}

TScoreTorpedo::TScoreTorpedo(std::int32_t i) {
    AddBobByName("torpedoscore", 0, -1, 0, 0, 0);
    RestAt(static_cast<float>(15 * i - 75), -275, -800);
    SetVisible(false);
}
