// The motion constants of bubbles and point bubbles.
#include "world/floating_body.h"

#include "engine/screen.h"

void MakeFloatingBody(TRBob& body) {
    body.ApproachDivisor = 200000.0f;
    body.Damping = 1.5f;
    body.SpringDivisor = 200.0f;
    body.MaxThrust = 5.0f;
    body.SetX(0);
    body.SetY(0);
    body.SetZ(-static_cast<float>(ProjectionScale));
    body.TargetX = body.X;
    body.TargetY = body.Y;
    body.TargetZ = body.Z;
    body.SetVisible(false);
}
