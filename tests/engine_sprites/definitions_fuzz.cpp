// Fuzz entry for the animation definitions: any text is loaded as the game
// screen loads its definitions, then every animation is stepped and painted.
// Loading may fail with the loader's exceptions; it must never crash or read
// outside its data.
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "../support/temp_program_dir.h"
#include "bmp_writer.h"
#include "engine/bobs.h"
#include "engine/graphic_objects.h"
#include "engine/rbob.h"
#include "engine/screen.h"
#include "infra/file_io.h"
#include "infra/log.h"

namespace {

// The engine as the game screen leaves it before loading: display surfaces,
// masks on, and a few sheets under gfx/sb for Animation and Picture blocks.
struct Engine {
    Engine() {
        DirectDraw = std::make_shared<TDirectDraw>(PixelFormatRGB565());
        ScreenSurfaces.resize(2);
        NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, ScreenSurfaces[0]);
        NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, ScreenSurfaces[1]);
        NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, BlendSurface);
        AlphaMasks = true;
        auto colour = [](int x, int y) {
            return static_cast<std::uint32_t>((x * 7 + y * 13) % 5 ? 0x80A0C0 + x : 0);
        };
        dir.Write("gfx/sb/BALL.bmp", bmp::Make(48, 12, 24, colour));
        dir.Write("gfx/sb/BALL_mask.bmp",
                  bmp::Make(48, 12, 8, [](int x, int y) { return std::uint32_t(x * 5 + y); }));
        dir.Write("gfx/sb/ODD.bmp", bmp::Make(30, 20, 24, colour));
        dir.Write("gfx/sb/ODD_mask.bmp", bmp::Make(31, 20, 8, [](int, int) { return 200u; }));
    }
    TempProgramDir dir;
};

// Blank sheets are made at the size the text asks for; keep inputs whose
// sheets would need more memory than a fuzzer should spend out of the run.
bool SheetsTooLarge(const std::vector<std::string>& lines) {
    std::int64_t total = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!UpperText(TrimText(lines[i])).starts_with("OBJECT")) continue;
        std::int64_t n[5] = {1, 1, 1, 1, 1};
        for (std::size_t k = 0; k < 5 && i + 1 + k < lines.size(); ++k) {
            try {
                n[k] = std::llabs(HeaderNumber(lines[i + 1 + k]));
            } catch (const std::exception&) {
            }
        }
        const std::int64_t w = n[0] * n[3], h = n[1] * n[4];
        if (w > 4096 || h > 4096) return true;
        total += w * h;
    }
    return total > 4'000'000;
}

void StepAndPaint() {
    std::vector<std::unique_ptr<TRBob>> bodies;
    const auto gos = static_cast<std::int32_t>(GORegistry().GOs.size());
    for (std::int32_t go = 1; go <= gos && Bobs->Count() < MaxBobs - 8; ++go) {
        TRBob& body = *bodies.emplace_back(std::make_unique<TRBob>());
        const std::int32_t animations = GOAt(go)->AnimationCount;
        for (std::int32_t a = 0; a < animations + 1 && body.Count < MaxMembers; ++a)
            body.AddBob(go, a, -1, static_cast<float>(a * 10), 0, 0);
        body.SetZ(-400);
    }
    for (int step = 0; step < 40; ++step)
        for (auto& body : bodies) body->AnimateBobs();
    try {
        Bobs->paint();
    } catch (const std::exception&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Engine engine;
    const std::vector<std::string> lines =
        SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    if (SheetsTooLarge(lines)) return 0;
    Bobs = std::make_unique<TBobs>();
    try {
        LoadGOs(lines);
    } catch (const std::exception&) {
    }
    StepAndPaint();
    Bobs.reset();
    FreeGOs();
    DeleteLog();
    return 0;
}
