// The cost of showing one finished 800 x 600 frame on a large screen: the
// present through the way the program picks (on SDL's dummy video driver, as
// on a machine without graphics hardware: drawing into the window's pixels),
// fitted into a 1920 x 1080 and a 3840 x 2160 output. In the same run, the
// same frame through SDL's own software renderer scaled to the output, and a
// memcpy of one output-sized frame. Processor time per present and the ratios
// go to standard error at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "engine/screen.h"
#include "platform/sdl_display.h"
#include "standard_scene.h"
#include "thread_cpu_time.h"

namespace {

using TKey = std::tuple<std::int64_t, std::int64_t, std::int64_t>;  // width, height, bits

// Milliseconds per present by way and output, printed when the run ends.
class TPresentSummary {
public:
    void Record(const std::string& way, const TKey& key, double ms, const std::string& note = {}) {
        ms_[key][way] = ms;
        if (!note.empty()) notes_[key] = note;
    }
    ~TPresentSummary() {
        for (const auto& [key, byWay] : ms_) {
            const auto [w, h, bits] = key;
            auto get = [&](const char* n) {
                const auto it = byWay.find(n);
                return it == byWay.end() ? 0.0 : it->second;
            };
            const double ours = get("program"), sdl = get("sdl"), copy = get("memcpy");
            std::fprintf(stderr,
                         "Present of a %lld-bit frame into %lldx%lld (%s): %.3f ms, SDL renderer %.3f ms",
                         static_cast<long long>(bits), static_cast<long long>(w), static_cast<long long>(h),
                         notes_[key].c_str(), ours, sdl);
            if (ours > 0 && sdl > 0) std::fprintf(stderr, " (program/SDL %.2f)", ours / sdl);
            if (copy > 0)
                std::fprintf(stderr, ", memcpy of the output %.3f ms (program/memcpy %.1f)", copy,
                             ours / copy);
            std::fprintf(stderr, "; at 50 frames a second the program's present takes %.1f %% of a core\n",
                         ours * 5.0);
        }
    }

private:
    std::map<TKey, std::map<std::string, double>> ms_;
    std::map<TKey, std::string> notes_;
};

TPresentSummary g_presents;

TPixelFormat FormatOf(std::int64_t bits) {
    return bits == 16 ? PixelFormatRGB565() : PixelFormatXRGB8888();
}

TKey KeyOf(const benchmark::State& state) {
    return {state.range(0), state.range(1), state.range(2)};
}

template <typename Body>
void Time(benchmark::State& state, const char* way, Body body, const std::string& note = {}) {
    const double start = ThreadCpuMs();
    for (auto _ : state) body();
    if (state.iterations() > 0)
        g_presents.Record(way, KeyOf(state), (ThreadCpuMs() - start) / state.iterations(), note);
}

void BM_PresentProgram(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SdlDisplay display;
    display.Open(2, 800, 600);
    SDL_SetWindowSize(display.Window(), static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const TStandardScene scene(FormatOf(state.range(2)));
    scene.Render();
    display.Present(*SecondarySurface());
    const TPictureFit fit = display.Presenter()->Fit();
    const std::string note = std::string(display.Presenter()->Kind()) + ", picture " +
                             std::to_string(fit.Width) + "x" + std::to_string(fit.Height) +
                             (fit.Factor ? " sharp" : " smooth");
    Time(
        state, "program", [&] { display.Present(*SecondarySurface()); }, note);
}

// What the program did before: SDL's software renderer, logical size 800 x 600.
void BM_PresentSdlRenderer(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, static_cast<int>(state.range(0)),
                                          static_cast<int>(state.range(1)), 0);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    SDL_RenderSetLogicalSize(renderer, 800, 600);
    const TStandardScene scene(FormatOf(state.range(2)));
    scene.Render();
    const TSurface& frame = *SecondarySurface();
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SdlFormatOf(frame.PixelFormat()), SDL_TEXTUREACCESS_STREAMING, 800, 600);
    Time(state, "sdl", [&] {
        SDL_UpdateTexture(texture, nullptr, frame.Pixels(), frame.Pitch());
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    });
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void BM_PresentMemcpy(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0) * state.range(1) * 4);
    std::vector<std::uint8_t> from(bytes, 1), to(bytes);
    Time(state, "memcpy", [&] {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
    });
}

void Outputs(benchmark::internal::Benchmark* b) {
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1920, 1080}, {3840, 2160}})
        for (int bits : {16, 32}) b->Args({w, h, bits});
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_PresentProgram)->Apply(Outputs);
BENCHMARK(BM_PresentSdlRenderer)->Apply(Outputs);
BENCHMARK(BM_PresentMemcpy)->Apply(Outputs);
