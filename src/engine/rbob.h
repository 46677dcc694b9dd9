// A body of up to 50 bobs at fixed offsets that moves as one, homing in on a
// target with damped thrust and an optional wobble: the base of every world
// object and display.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/bob.h"

constexpr int MaxMembers = 50;

struct TRBobMember {
    TBob* Bob = nullptr;  // owned by the sprite list, which knows this field
    float DX = 0, DY = 0, DZ = 0;
};

class TRBob {
public:
    TRBob();
    // Deletes every member bob from the sprite list.
    virtual ~TRBob();
    TRBob(const TRBob&) = delete;
    TRBob& operator=(const TRBob&) = delete;

    void SetX(float x);
    void SetY(float y);
    void SetZ(float z);
    // Places the body at (x, y, z) and makes that its target: it rests there.
    void RestAt(float x, float y, float z);
    void SetVisible(bool v);
    // Adds a member bob at the offsets; returns its member number (1-based).
    // Raises when the body or the sprite list is full.
    std::int32_t AddBob(std::int32_t go, std::int32_t animation, std::int32_t kind, float offX, float offY,
                        float offZ);
    // AddBob for the GO of that name; raises "Animation not found: <NAME>" and
    // adds nothing when there is none.
    std::int32_t AddBobByName(const std::string& name, std::int32_t animation, std::int32_t kind, float offX,
                              float offY, float offZ);
    void AnimateBobs();
    // Fixes the thrust toward the target and the wobble's pull.
    void Steer();
    // One game step of the motion.
    void Move();

    // Member n (1-based).
    TRBobMember& Member(std::int32_t n) { return Members[static_cast<std::size_t>(n - 1)]; }
    TBob* Bob(std::int32_t n) { return Member(n).Bob; }

    std::int32_t Count = 0;
    float X = 0, Y = 0, Z = 0;
    bool Visible = true;
    std::array<TRBobMember, MaxMembers> Members{};
    float ThrustZ = 0, VelocityZ = 0, ThrustX = 0, VelocityX = 0, ThrustY = 0, VelocityY = 0;
    float TargetX = 0, TargetY = 0, TargetZ = 0;
    float SpringDivisor = 10000.0f;
    float ApproachDivisor = 10000.0f;
    float MaxThrust = 5.0f;
    float Damping = 1.1f;
    float WobbleX = 0, WobbleY = 0, WobbleZ = 0;
    float WobbleVelocityX = 0, WobbleVelocityY = 0, WobbleVelocityZ = 0;
    float WobbleAccelX = 0, WobbleAccelY = 0, WobbleAccelZ = 0;

private:
    // One coordinate of the body and of every member bob, at its offset.
    void SetAxis(float TRBob::*body, float TBob::*bob, float TRBobMember::*offset, float v);
};
