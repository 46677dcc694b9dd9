// The standard frame drawn by our engine at each instruction-set level, the
// same scene drawn by pixman, and one frame's memcpy, on RGB565 and XRGB8888;
// the summary of processor times per frame and their ratios comes at the end
// of the run (frame_summary.h).
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/pictures.h"
#include "engine/screen.h"
#include "frame_summary.h"
#include "simd_levels.h"
#include "standard_scene.h"
#include "thread_cpu_time.h"

namespace {

TPixelFormat FormatOf(std::int64_t arg) {
    return arg == 565 ? PixelFormatRGB565() : PixelFormatXRGB8888();
}

template <typename Body>
void TimeFrames(benchmark::State& state, const std::string& name, std::uint64_t pixels, Body body) {
    // Processor time of this thread: the machine is shared, and wall time
    // would count the other engineers' builds.
    const double start = ThreadCpuMs();
    for (auto _ : state) body();
    const double elapsed = ThreadCpuMs() - start;
    if (state.iterations() > 0)
        FrameSummary().Record(name, state.range(0), state.iterations(), elapsed / state.iterations());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * pixels));
}

void BM_StandardFrame(benchmark::State& state) {
    const TBenchSimdLevel level(state, 1);
    if (!level.Ran()) return;
    const TStandardScene scene(FormatOf(state.range(0)));
    TimeFrames(state, std::string("standard ") + SimdLevelName(level.Level()), scene.PixelsWritten(),
               [&] { scene.Render(); });
    state.counters["pixels"] = static_cast<double>(scene.PixelsWritten());
}

// The scene as pixman images: sheets as a8r8g8b8 with the colour key as zero
// alpha, masks as a8, constant alpha as a solid mask, nearest filter.
class TPixmanScene {
public:
    explicit TPixmanScene(const TStandardScene& scene, bool rgb565) : scene_(scene) {
        const pixman_format_code_t format = rgb565 ? PIXMAN_r5g6b5 : PIXMAN_x8r8g8b8;
        TSurface& back = *BackImageSurface;
        back_ = Wrap(format, back);
        dest_ = Wrap(format, *SecondarySurface());
        for (const TSceneSheet& sheet : scene.Sheets()) AddSheet(sheet);
    }
    ~TPixmanScene() {
        for (pixman_image_t* i : images_) pixman_image_unref(i);
    }

    void Render() {
        const std::int32_t s = scene_.Scroll();
        pixman_image_composite32(PIXMAN_OP_SRC, back_, nullptr, dest_, 0, 0, 0, 0, s, 0, 800 - s, 600);
        pixman_image_composite32(PIXMAN_OP_SRC, back_, nullptr, dest_, 800 - s, 0, 0, 0, 0, 0, s, 600);
        for (const TSceneSprite& sp : scene_.Sprites()) {
            pixman_transform_t t;
            pixman_transform_init_identity(&t);
            t.matrix[0][0] = pixman_double_to_fixed(sp.source.Width() / static_cast<double>(sp.width));
            t.matrix[1][1] = pixman_double_to_fixed(sp.source.Height() / static_cast<double>(sp.height));
            t.matrix[0][2] = pixman_int_to_fixed(sp.source.left);
            t.matrix[1][2] = pixman_int_to_fixed(sp.source.top);
            pixman_image_t* src = sheets_[sp.sheet];
            pixman_image_set_transform(src, &t);
            pixman_image_t* mask = nullptr;
            if (sp.alpha != 255) {
                mask = Solid(sp.alpha);
            } else if (sp.masked) {
                mask = masks_[sp.sheet];
                pixman_image_set_transform(mask, &t);
            }
            pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dest_, 0, 0, 0, 0, sp.x, sp.y, sp.width,
                                     sp.height);
        }
    }

private:
    pixman_image_t* Keep(pixman_image_t* i) {
        images_.push_back(i);
        return i;
    }
    pixman_image_t* Wrap(pixman_format_code_t format, TSurface& s) {
        return Keep(pixman_image_create_bits(format, static_cast<int>(s.Width()),
                                             static_cast<int>(s.Height()),
                                             reinterpret_cast<std::uint32_t*>(s.Pixels()), s.Pitch()));
    }
    void AddSheet(const TSceneSheet& sheet) {
        const TPicture p = SurfaceToPicture(*sheet.surface);
        auto& argb = argb_.emplace_back(p.Pixels);
        for (std::uint32_t& v : argb) v = v == 0 ? 0 : v | 0xFF000000u;
        pixman_image_t* img =
            Keep(pixman_image_create_bits(PIXMAN_a8r8g8b8, p.Width, p.Height, argb.data(), p.Width * 4));
        pixman_image_set_filter(img, PIXMAN_FILTER_NEAREST, nullptr, 0);
        sheets_.push_back(img);
        pixman_image_t* mask = nullptr;
        if (!sheet.mask.empty()) {
            mask = Keep(pixman_image_create_bits(
                PIXMAN_a8, p.Width, p.Height,
                reinterpret_cast<std::uint32_t*>(const_cast<std::uint8_t*>(sheet.mask.data())),
                (p.Width + 3) & ~3));
            pixman_image_set_filter(mask, PIXMAN_FILTER_NEAREST, nullptr, 0);
        }
        masks_.push_back(mask);
    }
    pixman_image_t* Solid(std::uint8_t alpha) {
        auto it = solids_.find(alpha);
        if (it != solids_.end()) return it->second;
        const pixman_color_t c{0, 0, 0, static_cast<std::uint16_t>(alpha * 257)};
        return solids_[alpha] = Keep(pixman_image_create_solid_fill(&c));
    }

    const TStandardScene& scene_;
    pixman_image_t* back_ = nullptr;
    pixman_image_t* dest_ = nullptr;
    std::vector<std::vector<std::uint32_t>> argb_;
    std::vector<pixman_image_t*> sheets_, masks_, images_;
    std::map<std::uint8_t, pixman_image_t*> solids_;
};

// The secondary surface's rows as one block of bytes.
std::vector<std::uint8_t> FrameBytes() {
    TSurface& s = *SecondarySurface();
    const std::size_t row = std::size_t(s.Width()) * s.PixelFormat().BytesPerPixel();
    std::vector<std::uint8_t> bytes(row * s.Height());
    for (std::uint32_t y = 0; y < s.Height(); ++y)
        std::memcpy(bytes.data() + row * y, s.Pixels() + std::ptrdiff_t(y) * s.Pitch(), row);
    return bytes;
}

void BM_PixmanFrame(benchmark::State& state) {
    const TStandardScene scene(FormatOf(state.range(0)));
    TPixmanScene pixman(scene, state.range(0) == 565);
    TimeFrames(state, "pixman", scene.PixelsWritten(), [&] { pixman.Render(); });
    // How much of pixman's frame equals ours: a check that both draw the same
    // scene (blend rounding and sampling phase differ, so not all of it).
    const std::vector<std::uint8_t> theirs = FrameBytes();
    scene.Render();
    const std::vector<std::uint8_t> ours = FrameBytes();
    const std::size_t bpp = state.range(0) == 565 ? 2 : 4;
    std::size_t same = 0;
    const std::size_t colourBytes = bpp == 4 ? 3 : 2;  // pixman may fill the X byte
    for (std::size_t i = 0; i < ours.size(); i += bpp)
        same += std::memcmp(&ours[i], &theirs[i], colourBytes) == 0;
    state.counters["same_pixels"] = static_cast<double>(same) / static_cast<double>(ours.size() / bpp);
}

void BM_MemcpyFrame(benchmark::State& state) {
    const std::size_t bytes = 800 * 600 * (state.range(0) == 565 ? 2 : 4);
    using TBuffer = std::unique_ptr<std::uint8_t, decltype(&std::free)>;
    TBuffer from(static_cast<std::uint8_t*>(std::aligned_alloc(4096, bytes)), &std::free);
    TBuffer to(static_cast<std::uint8_t*>(std::aligned_alloc(4096, bytes)), &std::free);
    std::memset(from.get(), 0x5A, bytes);
    std::memset(to.get(), 0, bytes);
    TimeFrames(state, "memcpy", 800 * 600, [&] {
        std::memcpy(to.get(), from.get(), bytes);
        benchmark::DoNotOptimize(to.get());
        benchmark::ClobberMemory();
    });
}

}  // namespace

BENCHMARK(BM_StandardFrame)->Apply(FormatsAndLevels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixmanFrame)->Arg(565)->Arg(8888)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyFrame)->Arg(565)->Arg(8888)->Unit(benchmark::kMillisecond);
