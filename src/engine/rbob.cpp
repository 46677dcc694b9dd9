// A body of bobs moved as one: member bookkeeping and the damped target motion.
#include "engine/rbob.h"

#include <stdexcept>

#include "engine/bobs.h"
#include "engine/graphic_objects.h"
#include "infra/random.h"

namespace {

float ClampThrust(float t, float maxThrust) {
    if (t > maxThrust) return maxThrust;
    if (t < -maxThrust) return -maxThrust;
    return t;
}

float RandomCoordinate(std::uint32_t range, std::int32_t shift) {
    return static_cast<float>(static_cast<std::int32_t>(RandInt(range)) + shift);
}

}  // namespace

TRBob::TRBob() {
    // Somewhere in X, Y -250..249 and Z -1099..-100, at rest.
    SetX(RandomCoordinate(500, -250));
    TargetX = X;
    SetY(RandomCoordinate(500, -250));
    TargetY = Y;
    SetZ(-RandomCoordinate(1000, 0) - 100);
    TargetZ = Z;
    SetVisible(true);
}

TRBob::~TRBob() {
    if (Bobs)
        for (std::int32_t n = 1; n <= Count; ++n) Bobs->Delete(Member(n).Bob);
    Count = 0;
}

void TRBob::SetAxis(float TRBob::*body, float TBob::*bob, float TRBobMember::*offset, float v) {
    this->*body = v;
    for (std::int32_t n = 1; n <= Count; ++n)
        if (TBob* b = Bob(n)) b->*bob = v + Member(n).*offset;
}

void TRBob::SetX(float x) {
    SetAxis(&TRBob::X, &TBob::X, &TRBobMember::DX, x);
}

void TRBob::SetY(float y) {
    SetAxis(&TRBob::Y, &TBob::Y, &TRBobMember::DY, y);
}

void TRBob::SetZ(float z) {
    SetAxis(&TRBob::Z, &TBob::Z, &TRBobMember::DZ, z);
}

void TRBob::RestAt(float x, float y, float z) {
    SetX(x);
    SetY(y);
    SetZ(z);
    TargetX = X;
    TargetY = Y;
    TargetZ = Z;
}

void TRBob::SetVisible(bool v) {
    Visible = v;
    for (std::int32_t n = 1; n <= Count; ++n)
        if (TBob* b = Bob(n)) b->Visible = v;
}

std::int32_t TRBob::AddBob(std::int32_t go, std::int32_t animation, std::int32_t kind, float offX, float offY,
                           float offZ) {
    if (Count >= MaxMembers) throw std::runtime_error("Exception raised in TRBob.AddBob: Too many bobs");
    if (!Bobs) throw std::runtime_error("Exception raised in TRBob.AddBob: No sprite list");
    TRBobMember& m = Members[static_cast<std::size_t>(Count)];
    Bobs->Add(go, animation, kind, m.Bob);
    m.DX = offX;
    m.DY = offY;
    m.DZ = offZ;
    return ++Count;
}

std::int32_t TRBob::AddBobByName(const std::string& name, std::int32_t animation, std::int32_t kind,
                                 float offX, float offY, float offZ) {
    const std::int32_t n = AddBob(GetGOIndex(name), animation, kind, offX, offY, offZ);
    Bob(n)->Name = name.substr(0, 30);
    return n;
}

void TRBob::AnimateBobs() {
    for (std::int32_t n = 1; n <= Count; ++n)
        if (TBob* b = Bob(n)) b->Animate();
}

void TRBob::Steer() {
    ThrustZ = ClampThrust((TargetZ - Z) / ApproachDivisor, MaxThrust);
    ThrustX = ClampThrust((TargetX - X) / ApproachDivisor, MaxThrust);
    ThrustY = ClampThrust((TargetY - Y) / ApproachDivisor, MaxThrust);
    WobbleAccelX = -WobbleX / SpringDivisor;
    WobbleAccelY = -WobbleY / SpringDivisor;
    WobbleAccelZ = -WobbleZ / SpringDivisor;
}

void TRBob::Move() {
    WobbleVelocityX += WobbleAccelX;
    WobbleX += WobbleVelocityX;
    WobbleVelocityY += WobbleAccelY;
    WobbleY += WobbleVelocityY;
    WobbleVelocityZ += WobbleAccelZ;
    WobbleZ += WobbleVelocityZ;
    VelocityX = (VelocityX + ThrustX) / Damping;
    SetX(X + VelocityX + WobbleX);
    VelocityY = (VelocityY + ThrustY) / Damping;
    SetY(Y + VelocityY + WobbleY);
    VelocityZ = (VelocityZ + ThrustZ) / Damping;
    SetZ(Z + VelocityZ + WobbleZ);
}
