// Whole frames of the real game screen (steps, drawing, the capture display's
// present) on the game's own content, with the replay recording on and off in
// turns, and the time to verify a recorded 90-second game beside playing the
// same replay with its frames drawn (the headless runner's own pace).
// Processor time of this thread; the ratios are printed to standard error.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "content/content_resources.h"
#include "game/capture_display.h"
#include "game/game_screen.h"
#include "game/input_script.h"
#include "game/replay_recorder.h"
#include "game/replay_verify.h"
#include "infra/env_data.h"
#include "infra/game_data.h"
#include "infra/log.h"
#include "infra/paths.h"
#include "infra/random.h"
#include "platform/freetype_rasterizer.h"
#include "sound/console_progress.h"
#include "sound/convert_sounds.h"
#include "thread_cpu_time.h"

namespace fs = std::filesystem;

namespace {

// A player's folder with the build's level and cave; data from the build,
// music converted once into a cache of its own.
class TBenchFolders {
public:
    TBenchFolders() : root_(fs::temp_directory_path() / ("vantorel-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(root_ / "sps");
        for (const char* name : {"Level1.txt", "front.dat"})
            fs::copy_file(fs::path(VANTOREL_BUILD_DIR) / "sps" / name, root_ / "sps" / name,
                          fs::copy_options::overwrite_existing);
        SetProgramFolders({VANTOREL_BUILD_DIR, root_.string(), (root_ / "cache").string()});
        TConsoleConvertProgress progress;
        ConvertSounds(progress, TOutsideWorld());
    }
    ~TBenchFolders() {
        SetProgramDir("");
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

private:
    fs::path root_;
};

// Half a minute of play: a click starts it, the cursor sweeps the pipe up
// and down and fires, Escape twice leaves.
std::string PlayScript() {
    std::string script = "500 click\n";
    for (int ms = 3000, i = 0; ms < 30000; ms += 300, ++i) {
        script += std::to_string(ms) + " move 700 " + std::to_string(100 + (i * 37) % 400) + "\n";
        if (i % 2) script += std::to_string(ms + 100) + " click\n";
    }
    return script + "30000 key Escape\n31000 key Escape\n";
}

// Processor time of the frames with the recording on and of those with it
// off. The game is the same either way, so one game serves both: the tape
// goes on for one frame of each pair of neighbours (which one is chance) and
// off for the other, and the machine's moods fall on both alike.
struct TFramePair {
    double OnMs = -1, OffMs = -1;
};

void PlayGame(IFontRasterizer& fonts, std::uint32_t seed, std::vector<TFramePair>& pairs) {
    SetEnvDefaults();
    SetGameDataDefaults();
    RandSeed = 7;
    ManualClock clock;
    CaptureDisplay display(clock, 20);
    LoadInputScript(PlayScript(), display);
    TOutsideWorld outside;
    outside.Clock = &clock;
    outside.Resources = &ContentResources();
    outside.Fonts = &fonts;
    TDDFullScreenForm1 form(display, {}, outside);
    form.ThreadedLoop = false;
    form.SetDisplayMode(2);
    const TLogDiversion quiet({});
    std::mt19937 chance(seed);
    std::bernoulli_distribution coin;
    double last = -1;
    TFramePair pair;
    bool recorded = false;  // the frame under way has the tape
    display.OnPresent = [&](const TSurface&) {
        const double now = ThreadCpuMs();
        if (last >= 0) (recorded ? pair.OnMs : pair.OffMs) = now - last;
        last = now;
        if (pair.OnMs >= 0 && pair.OffMs >= 0) {
            pairs.push_back(pair);
            pair = {};
        }
        recorded = pair.OnMs < 0 && (pair.OffMs >= 0 || coin(chance));
        form.Tape = recorded ? &form.Recorder : nullptr;
    };
    form.ShowModal();
}

void BM_GameFrameRecording(benchmark::State& state) {
    const TBenchFolders folders;
    TFreeTypeRasterizer fonts;
    std::vector<TFramePair> pairs;
    std::uint32_t seed = 1;
    for (auto _ : state) PlayGame(fonts, seed++, pairs);
    // The few frames that load a picture (the start of a game, the farewell)
    // cost a hundred frames each: in one pair's side they would outweigh all
    // the others, so pairs with a frame over four times the median are left out.
    std::vector<double> all;
    for (const TFramePair& p : pairs) all.insert(all.end(), {p.OnMs, p.OffMs});
    std::nth_element(all.begin(), all.begin() + all.size() / 2, all.end());
    const double limit = 4 * all[all.size() / 2];
    double on = 0, off = 0;
    std::size_t kept = 0;
    for (const TFramePair& p : pairs) {
        if (p.OnMs > limit || p.OffMs > limit) continue;
        on += p.OnMs;
        off += p.OffMs;
        ++kept;
    }
    state.counters["on_off"] = on / off;
    std::fprintf(stderr,
                 "game frame (steps + drawing), processor time over %zu pairs of frames (%zu with a picture "
                 "load left out): recording off %.4f ms, on %.4f ms; on/off %.4f\n",
                 kept, pairs.size() - kept, off / static_cast<double>(kept), on / static_cast<double>(kept),
                 on / off);
}

// What the recorder adds to a frame: its frame line and a mouse reading
// that moved, as a game of this frame's pace records them.
void BM_RecorderPerFrame(benchmark::State& state) {
    TReplayRecorder recorder;
    recorder.Begin(TReplayHeader{});
    std::int32_t y = 0;
    const double start = ThreadCpuMs();
    for (auto _ : state) {
        recorder.Frame(1);
        std::int32_t x = 700, row = ++y % 600;
        recorder.Mouse(x, row);
        if (recorder.Text().size() > ReplayBufferBytes / 2) {
            state.PauseTiming();
            recorder = TReplayRecorder();
            recorder.Begin(TReplayHeader{});
            state.ResumeTiming();
        }
    }
    const double ns = (ThreadCpuMs() - start) * 1e6 / static_cast<double>(state.iterations());
    state.counters["ns_per_frame"] = ns;
    std::fprintf(stderr, "recording one frame with a mouse reading: %.1f ns of processor time\n", ns);
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void BM_VerifyReplay(benchmark::State& state) {
    const TBenchFolders folders;
    TFreeTypeRasterizer fonts;
    const std::string replay = Read(std::string(VANTOREL_SOURCE_DIR) + "/tests/replays/won.replay");
    TReplayContent content;
    content.Resources = &ContentResources();
    content.Fonts = &fonts;
    double verify = 0, drawn = 0;
    bool matched = true;
    for (auto _ : state) {
        double start = ThreadCpuMs();
        matched = VerifyReplay(replay, content).Status == TReplayStatus::Matches && matched;
        verify += ThreadCpuMs() - start;
        start = ThreadCpuMs();
        VerifyReplay(replay, content, {}, {}, [](const TSurface&, std::uint64_t) {});
        drawn += ThreadCpuMs() - start;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["verify_ms"] = verify / n;
    state.counters["drawn_ms"] = drawn / n;
    std::fprintf(
        stderr,
        "replay of a won 90-second game, processor time: verified %.1f ms%s, played with drawing %.1f "
        "ms; drawn/verified %.1f\n",
        verify / n, matched ? "" : " (IT DID NOT MATCH)", drawn / n, drawn / verify);
}

}  // namespace

BENCHMARK(BM_GameFrameRecording)->Iterations(9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecorderPerFrame);
BENCHMARK(BM_VerifyReplay)->Iterations(3)->Unit(benchmark::kMillisecond);
