// A bob: animation stepping and placement of one sprite instance.
#include "engine/bob.h"

#include "engine/graphic_objects.h"
#include "engine/projection.h"
#include "engine/screen.h"
#include "engine/sprite_blit.h"

TBob::TBob(std::int32_t go, std::int32_t animation, std::int32_t kind)
    : Kind(kind), GO(go), Animation(animation), Next{go, kind, 0, 0}, NextAnimation(animation) {
    if (kind == -1) TakeFirstPictureSize();
    // Placed behind the camera, so it stays unseen until its owner places it.
    X = static_cast<float>(ScreenCenterX);
    Y = static_cast<float>(ScreenCenterY);
    Z = static_cast<float>(ProjectionScale);
}

void TBob::TakeFirstPictureSize() {
    const TGraphicObject* g = GOAt(GO);
    const TSprite* first = g && g->Pictures >= 1 ? SpriteAt(g->FirstSprite + 1) : nullptr;
    Width = first ? static_cast<float>(first->W) : 0.0f;
    Height = first ? static_cast<float>(first->H) : 0.0f;
}

void TBob::SetAnimation(const TNextAnimation& next, std::int32_t animation) {
    if (Kind == -1) {
        GO = next.GO;
        TakeFirstPictureSize();
        FramePos = 0;
        Tick = 0;
    }
    if (animation == -1) {
        Animation = NextAnimation = Kind == -1 ? 0 : -1;
        Visible = false;
    } else {
        Animation = NextAnimation = animation;
    }
    OffsetX = next.OffsetX;
    OffsetY = next.OffsetY;
    Next = next;
    if (OnAnimationChange) OnAnimationChange(*this);
}

void TBob::Restart(std::int32_t animation) {
    if (Kind != -1) return;
    FramePos = 0;
    Tick = 0;
    if (animation != -1) Animation = NextAnimation = animation;
}

void TBob::SetNextAnimation(std::int32_t go, std::int32_t animation) {
    Next = {go, -1, 0, 0};
    NextAnimation = animation;
}

void TBob::SetNextToCurrent(std::int32_t animation) {
    Next = {GO, Kind, OffsetX, OffsetY};
    NextAnimation = animation;
}

std::int32_t TBob::CurrentSprite() const {
    return SpriteOf(GO, Animation, FramePos);
}

void TBob::Animate() {
    if (Kind != -1) return;
    const auto header = AnimationHeader(GO, Animation);
    if (!header || header->Delay == 0) return;
    if (Tick == 0 && Visible) PlayAniSounds(GO, Animation, FramePos);
    ++Tick;
    if (Tick != header->Delay) return;
    Tick = 0;
    ++FramePos;
    if (FramePos != header->Frames) return;
    // The animation has run out: the follow-up, or another round of this one.
    if (RepeatCount == -1) {
        SetAnimation(Next, NextAnimation);
        return;
    }
    --RepeatCount;
    if (RepeatCount == 0) {
        SetAnimation(Next, NextAnimation);
        RepeatCount = -1;
        return;
    }
    const TNextAnimation keptNext = Next;
    const std::int32_t keptAnimation = NextAnimation;
    SetAnimation({GO, Kind, OffsetX, OffsetY}, Animation);
    Next = keptNext;
    NextAnimation = keptAnimation;
}

void TBob::paint() {
    if (!Visible || Z >= 0) return;
    if (Kind != -1) return;
    const std::int32_t sprite = CurrentSprite();
    const TSprite* picture = SpriteAt(sprite);
    if (!picture) return;
    const double w = picture->W, h = picture->H;
    const double px = static_cast<double>(X) + OffsetX, py = static_cast<double>(Y) + OffsetY;
    std::int32_t cx, cy, dw, dh;
    if (!ScreenMode) {
        cx = ProjectX(px, Z);
        cy = ProjectY(py, Z);
        dw = ProjectSize(w, Z);
        dh = ProjectSize(h, Z);
    } else {
        dw = picture->W;
        dh = picture->H;
        if (Project) {
            cx = ProjectX(px, Z);
            cy = ProjectY(py, Z);
        } else if (Centred) {
            cx = RoundHalfEven(px);
            cy = RoundHalfEven(py);
        } else {
            cx = RoundHalfEven(px + w / 2);
            cy = RoundHalfEven(py + h / 2);
        }
    }
    TSurfaceRef dest = SecondarySurface();
    Stretchblit(dest, cx, cy, dw, dh, sprite, 0, MinY, ClipRight, ClipBottom - StatusLineHeight, ColourKey,
                Alpha);
}
