// A fresh sprite engine for one test: a temporary program directory, a
// DirectDraw object in RGB565, the screen surfaces, and everything released
// again afterwards.
#pragma once

#include <string>
#include <vector>

#include "bmp_writer.h"
#include "engine/bobs.h"
#include "engine/graphic_objects.h"
#include "engine/screen.h"
#include "infra/file_io.h"
#include "infra/paths.h"
#include "support/temp_program_dir.h"

class SpriteWorld {
public:
    explicit SpriteWorld(const TPixelFormat& format = PixelFormatRGB565()) {
        DirectDraw = std::make_shared<TDirectDraw>(format);
        SetScreenMetrics(800, 600);
        ScreenSurfaces.resize(2);
        NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, ScreenSurfaces[0]);
        NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, ScreenSurfaces[1]);
        NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, BlendSurface);
        AlphaMasks = true;
        Bobs = std::make_unique<TBobs>();
    }
    ~SpriteWorld() {
        Bobs.reset();
        FreeGOs();
        ResetScreenGlobals();
    }
    SpriteWorld(const SpriteWorld&) = delete;
    SpriteWorld& operator=(const SpriteWorld&) = delete;

    // A sheet picture (and optionally its mask) under gfx/sb.
    void Sheet(const std::string& name, const std::string& bytes) const {
        dir.Write("gfx/sb/" + name, bytes);
    }

    std::vector<std::string> Log() const {
        const auto text = ReadWholeFile(ResolvePath("SPS/LOG.TXT"));
        return text ? SplitLines(*text) : std::vector<std::string>{};
    }

    TempProgramDir dir;
};

inline std::vector<std::string> Lines(const std::string& text) {
    return SplitLines(text);
}
