// The sprite engine of a window-mode game screen for tests: the DirectDraw
// object (with the fonts and resources the test gives it), two 800 x 600
// screen surfaces, the blend surface and the sprite list, and everything
// released again at the end.
#pragma once

#include <memory>
#include <string>

#include "engine/bobs.h"
#include "engine/graphic_objects.h"
#include "engine/screen.h"
#include "infra/resources.h"

class TestScreen {
public:
    explicit TestScreen(const TPixelFormat& format = PixelFormatRGB565(), IFontRasterizer* fonts = nullptr,
                        const IResources& resources = NoResources()) {
        DirectDraw = std::make_shared<TDirectDraw>(format, fonts, resources);
        SetScreenMetrics(800, 600);
        ScreenSurfaces.resize(2);
        NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, ScreenSurfaces[0]);
        NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, ScreenSurfaces[1]);
        NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, BlendSurface);
        AlphaMasks = true;
        Bobs = std::make_unique<TBobs>();
    }
    ~TestScreen() {
        Bobs.reset();
        FreeGOs();
        ResetScreenGlobals();
    }
    TestScreen(const TestScreen&) = delete;
    TestScreen& operator=(const TestScreen&) = delete;
};
