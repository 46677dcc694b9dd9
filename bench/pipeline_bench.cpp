// One whole frame of the game screen's pipeline on the standard scene: the
// back image with scroll and the sprites (the scene's own drawing), then the
// present through the SDL display (streaming texture upload and render copy)
// on SDL's dummy video driver, at each instruction-set level. Processor time
// per frame, as the others.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "engine/screen.h"
#include "frame_summary.h"
#include "platform/sdl_display.h"
#include "simd_levels.h"
#include "standard_scene.h"
#include "thread_cpu_time.h"

namespace {

void BM_PipelineFrame(benchmark::State& state) {
    const TBenchSimdLevel level(state, 1);
    if (!level.Ran()) return;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    const bool rgb565 = state.range(0) == 565;
    SdlDisplay display;
    // Mode 0 draws in RGB565; the window takes the desktop's format (32 bits here).
    const TDisplayModeInfo info = display.Open(rgb565 ? 0 : 2, 800, 600);
    const TStandardScene scene(info.Format);
    const double start = ThreadCpuMs();
    for (auto _ : state) {
        scene.Render();
        display.Present(*SecondarySurface());
    }
    const double perFrame = (ThreadCpuMs() - start) / static_cast<double>(state.iterations());
    state.counters["cpu_ms_per_frame"] = perFrame;
    FrameSummary().Record(std::string("pipeline ") + SimdLevelName(level.Level()), state.range(0),
                          state.iterations(), perFrame);
}

}  // namespace

BENCHMARK(BM_PipelineFrame)->Apply(FormatsAndLevels)->Unit(benchmark::kMillisecond);
