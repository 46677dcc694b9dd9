// The motion constants of bubbles and point bubbles.
#include "world/floating_body.h"

#include "engine/screen.h"

void MakeFloatingBody(TRBob& body) {
    body.ApproachDivisor = 200000.0f;
    body.Damping = 1.5f;
    body.SpringDivisor = 200.0f;
    body.MaxThrust = 5.0f;
    body.RestAt(0, 0, -static_cast<float>(ProjectionScale));
    body.SetVisible(false);
}
