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
#include "support/test_screen.h"

class SpriteWorld {
public:
    explicit SpriteWorld(const TPixelFormat& format = PixelFormatRGB565()) : engine(format) {}
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
    TestScreen engine;
};

inline std::vector<std::string> Lines(const std::string& text) {
    return SplitLines(text);
}
