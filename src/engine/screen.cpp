// The screen's shared surfaces and metrics and the helpers that read them.
#include "engine/screen.h"

#include <stdexcept>

#include "engine/dd_errors.h"

TDirectDrawRef DirectDraw;
std::vector<TSurfaceRef> ScreenSurfaces;
TSurfaceRef BackImageSurface;
TSurfaceRef BlendSurface;

std::int32_t ScreenWidth = 800;
std::int32_t ScreenHeight = 600;
std::int16_t ClipRight = 799;
std::int16_t ClipBottom = 599;
std::int32_t ScreenCenterX = 400;
std::int32_t ScreenCenterY = 300;
double ProjectionScale = 800.0;
std::int32_t ScreenOffsetX = 0;
std::int32_t ScreenOffsetY = 0;
std::int32_t StatusLineHeight = 0;
bool Transparency = true;
bool AlphaMasks = false;
bool SurfaceLost = false;

void SetScreenMetrics(std::int32_t width, std::int32_t height) {
    ScreenWidth = width;
    ScreenHeight = height;
    ClipRight = static_cast<std::int16_t>(width - 1);
    ClipBottom = static_cast<std::int16_t>(height - 1);
    ProjectionScale = width;
    ScreenCenterX = width / 2;
    ScreenCenterY = height / 2;
}

void ResetScreenGlobals() {
    BlendSurface.reset();
    BackImageSurface.reset();
    ScreenSurfaces.clear();
    DirectDraw.reset();
    SetScreenMetrics(800, 600);
    ScreenOffsetX = ScreenOffsetY = 0;
    StatusLineHeight = 0;
    Transparency = true;
    AlphaMasks = false;
    SurfaceLost = false;
}

TSurfaceRef FrontSurface() {
    return ScreenSurfaces.size() > 0 ? ScreenSurfaces[0] : TSurfaceRef{};
}
TSurfaceRef SecondarySurface() {
    return ScreenSurfaces.size() > 1 ? ScreenSurfaces[1] : TSurfaceRef{};
}

bool IsSecondaryChainSurface(const TSurface* surface) {
    if (!surface) return false;
    for (std::size_t i = ScreenSurfaces.size(); i > 1; --i)
        if (ScreenSurfaces[i - 1].get() == surface) return true;
    return false;
}

void NewSurface(const TDirectDrawRef& directDraw, std::int32_t width, std::int32_t height, std::uint32_t caps,
                TSurfaceRef& surface) {
    if (!directDraw) throw std::runtime_error("Direct Draw object not created");
    TSurfaceDesc desc;
    desc.dwSize = 108;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwCaps = caps | DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = static_cast<std::uint32_t>(width);
    desc.dwHeight = static_cast<std::uint32_t>(height);
    if (width <= 0 || height <= 0) DDCheck(DDERR_INVALIDPARAMS);
    DDCheck(directDraw->CreateSurface(desc, surface));
}

HResult EnumBackSurfaces(const TSurfaceRef& surface, const TSurfaceDesc& desc,
                         std::vector<TSurfaceRef>& list) {
    if (!(desc.dwCaps & DDSCAPS_PRIMARYSURFACE)) list.push_back(surface);
    return DDENUMRET_OK;
}
