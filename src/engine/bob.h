// A bob: one animated instance of a graphic object, placed in world space or
// on the screen, drawn by the sprite list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// What SetAnimation switches to: a GO, its kind and the offsets to apply.
struct TNextAnimation {
    std::int32_t GO = 0;
    std::int32_t Kind = -1;
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
};

class TBob {
public:
    // Kind -1 is a bob backed by a graphic object, the only kind that is
    // animated and drawn.
    TBob(std::int32_t go, std::int32_t animation, std::int32_t kind);
    TBob(const TBob&) = delete;
    TBob& operator=(const TBob&) = delete;

    void SetAnimation(const TNextAnimation& next, std::int32_t animation);
    void SetAnimationOf(std::int32_t go, std::int32_t animation) { SetAnimation({go, -1, 0, 0}, animation); }
    void Restart(std::int32_t animation);
    void SetNextAnimation(std::int32_t go, std::int32_t animation);
    void SetNextToCurrent(std::int32_t animation);
    std::int32_t CurrentSprite() const;
    // One game step of the animation.
    void Animate();
    // Draws onto the secondary surface when visible and in front of the camera.
    void paint();

    float Width = 0, Height = 0;
    bool Visible = true;
    std::int32_t Kind;
    std::int32_t GO;
    std::int32_t Animation;
    TNextAnimation Next;
    std::int32_t NextAnimation;  // -1: hide at the end
    std::uint16_t FramePos = 0;
    std::uint16_t Tick = 0;
    std::int32_t MinY = 0;
    bool ScreenMode = false;
    float X, Y, Z;
    std::int32_t Layer = 0;
    std::int32_t OffsetX = 0, OffsetY = 0;
    bool Project = true;
    bool Centred = true;
    std::function<void(TBob&)> OnAnimationChange;
    bool ColourKey = true;
    std::uint8_t Alpha = 255;
    std::string Name;  // at most 30 characters
    std::int32_t RepeatCount = -1;

private:
    void TakeFirstPictureSize();
};
