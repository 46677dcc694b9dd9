// A window-mode screen (RGB565) with the sprite list and every graphic object
// of the game's own definitions loaded, for tests that draw with the real content.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "content/content_resources.h"
#include "engine/bobs.h"
#include "engine/graphic_objects.h"
#include "engine/screen.h"
#include "infra/file_io.h"
#include "infra/resources.h"

inline void OpenContentEngine() {
    InstallContentResources();
    DirectDraw = std::make_shared<TDirectDraw>(PixelFormatRGB565());
    SetScreenMetrics(800, 600);
    ScreenSurfaces.resize(2);
    NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, ScreenSurfaces[0]);
    NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, ScreenSurfaces[1]);
    NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, BlendSurface);
    Transparency = true;
    AlphaMasks = true;
    Bobs = std::make_unique<TBobs>();
    const auto text = Resources().Find("TEXT", "SBMEMO");
    ASSERT_TRUE(text.has_value());
    LoadGOs(SplitLines(std::string(reinterpret_cast<const char*>(text->data()), text->size())));
}
