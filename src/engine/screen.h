// The screen's shared surfaces and metrics, which the game screen sets and the
// drawing code reads, and the small helpers around them.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/surface.h"

// The DirectDraw object; empty before the game screen starts DirectDraw.
extern TDirectDrawRef DirectDraw;
// Entry 0 is the front surface, entry 1 the surface each frame is drawn into.
extern std::vector<TSurfaceRef> ScreenSurfaces;
extern TSurfaceRef BackImageSurface;
extern TSurfaceRef BlendSurface;

extern std::int32_t ScreenWidth;    // 800
extern std::int32_t ScreenHeight;   // 600
extern std::int16_t ClipRight;      // 799
extern std::int16_t ClipBottom;     // 599
extern std::int32_t ScreenCenterX;  // 400
extern std::int32_t ScreenCenterY;  // 300
extern double ProjectionScale;      // 800.0
extern std::int32_t ScreenOffsetX;  // centring offset of the game area (display mode 1)
extern std::int32_t ScreenOffsetY;
extern std::int32_t StatusLineHeight;  // 0 or 12
extern bool Transparency;
extern bool AlphaMasks;
extern bool SurfaceLost;

// Sets ScreenWidth .. ScreenCenterY and ProjectionScale from a screen size.
void SetScreenMetrics(std::int32_t width, std::int32_t height);
// Puts every global above back to its start value and drops the surfaces
// (tests and the game screen's teardown).
void ResetScreenGlobals();

// New references to ScreenSurfaces entry 0 and entry 1 (empty when missing).
TSurfaceRef FrontSurface();
TSurfaceRef SecondarySurface();
// True when the surface is one of ScreenSurfaces entries 1..Count-1 (by identity).
bool IsSecondaryChainSurface(const TSurface* surface);
inline bool IsSecondaryChainSurface(const TSurfaceRef& surface) {
    return IsSecondaryChainSurface(surface.get());
}

// Creates an off-screen surface (caps | DDSCAPS_OFFSCREENPLAIN) of the size;
// caps is 0 or DDSCAPS_SYSTEMMEMORY. Raises "Direct Draw object not created"
// without a DirectDraw object, EDirectXError when creation fails.
void NewSurface(const TDirectDrawRef& directDraw, std::int32_t width, std::int32_t height, std::uint32_t caps,
                TSurfaceRef& surface);

// The enumeration callback the game screen passes to EnumSurfaces after making
// the flip chain: appends every surface that is not the primary to the list.
HResult EnumBackSurfaces(const TSurfaceRef& surface, const TSurfaceDesc& desc,
                         std::vector<TSurfaceRef>& list);
