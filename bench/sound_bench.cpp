// Sound benchmarks: mixing 32 voices for 10 s of audio, alone and with music
// held in memory or played from its files (reported as CPU time in percent of
// the 10 s played), and loading the game's sound folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "infra/paths.h"
#include "sound/kb_dsound.h"
#include "sound/recording_audio_output.h"
#include "sound/wave_writer.h"

namespace fs = std::filesystem;

namespace {

// A temporary folder that is the program directory while the benchmark runs,
// so the engine's log lines stay out of the real one.
class BenchDir {
public:
    BenchDir() {
        std::string pattern = (fs::temp_directory_path() / "vantorel-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
        SetProgramDir(path_.string());
        fs::create_directories(path_ / "snd");
    }
    ~BenchDir() {
        SetProgramDir("");
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string Snd() const { return (path_ / "snd").string(); }

private:
    fs::path path_;
};

// A wave file of a tone with some noise, in the given format.
void WriteTone(const std::string& path, int channels, int rate, int bits, double seconds, double pitch) {
    const auto frames = static_cast<std::size_t>(rate * seconds);
    std::string data;
    data.reserve(frames * channels * bits / 8);
    std::uint32_t noise = 12345;
    for (std::size_t i = 0; i < frames; ++i) {
        noise = noise * 1103515245u + 12345u;
        const double v = 0.5 * std::sin(2 * M_PI * pitch * i / rate) + 0.1 * ((noise >> 16) / 32768.0 - 1.0);
        for (int c = 0; c < channels; ++c) {
            const auto s = static_cast<std::int16_t>(v * 20000);
            if (bits == 8) {
                data += static_cast<char>(128 + s / 256);
            } else {
                data += static_cast<char>(s & 0xFF);
                data += static_cast<char>((s >> 8) & 0xFF);
            }
        }
    }
    std::ofstream(path, std::ios::binary)
        << MakeWaveHeader(static_cast<std::uint16_t>(channels), static_cast<std::uint32_t>(rate),
                          static_cast<std::uint16_t>(bits), static_cast<std::uint32_t>(data.size()))
        << data;
}

// Effects: 32 short voices of every format, a quarter of them looping.
void WriteEffects(const BenchDir& dir) {
    const int rates[] = {11025, 22050, 44100, 48000};
    for (int i = 0; i < 32; ++i)
        WriteTone(dir.Snd() + "/v" + std::to_string(i) + ".wav", 1 + i % 2, rates[i % 4], i % 3 == 0 ? 8 : 16,
                  0.5 + (i % 5) * 0.5, 110.0 * (1 + i % 7));
}

// Plays every sound of the engine for 10 s of audio per iteration, as the
// game would, and reports the processor time in percent of the time played.
void MixTenSeconds(benchmark::State& state, TkbDSound& engine, RecordingAudioOutput& out) {
    std::vector<TkbDSoundFile*> voices;
    for (const auto& s : engine.Sounds()) voices.push_back(s.get());
    for (std::size_t i = 0; i < voices.size(); ++i) {
        voices[i]->Looping = i % 4 == 0;  // the music-like ones loop
        voices[i]->SetPan(std::min(static_cast<std::int32_t>(i * 625) - 10000, 10000));
        voices[i]->SetVolume(-static_cast<std::int32_t>(i * 150));
    }
    constexpr std::size_t StepFrames = 882;  // one 20 ms game step
    constexpr std::size_t Steps = 500;       // 10 s
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        for (auto* v : voices) v->Play();
        for (std::size_t step = 0; step < Steps; ++step) {
            // Effects that ended are started again, as the game keeps firing.
            for (auto* v : voices) {
                std::uint32_t status = 0;
                v->Buffer()->GetStatus(status);
                if (!(status & DSBSTATUS_PLAYING)) v->Play();
            }
            benchmark::DoNotOptimize(out.Render(StepFrames).data());
        }
    }
    // CPU time per iteration in percent of the 10 s of audio it produced.
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    state.counters["cpu_percent_of_real_time"] =
        100.0 * cpuSeconds / (10.0 * static_cast<double>(state.iterations()));
}

// The 32 effects and the given number of 30-second music pieces (the size of
// the game's longest), the music held in memory or played from its files as
// it goes (as the game does), mixed 10 s at a time.
void MixEffectsAndMusic(benchmark::State& state, int musicPieces, bool musicFromFiles) {
    BenchDir dir;
    WriteEffects(dir);
    auto output = std::make_unique<RecordingAudioOutput>();
    RecordingAudioOutput* out = output.get();
    TkbDSound engine(std::move(output), true, false);
    engine.LoadWaves(dir.Snd());
    for (int i = 0; i < musicPieces; ++i) {
        const std::string path = dir.Snd() + "/music" + std::to_string(i);
        WriteTone(path + ".wav", 2, 44100, 16, 30, 220.0 * (i + 1));
        TkbDSoundFile::Create(path, !musicFromFiles);
    }
    MixTenSeconds(state, engine, *out);
}

void BM_Mix32Voices(benchmark::State& state) {
    MixEffectsAndMusic(state, 0, false);
}
BENCHMARK(BM_Mix32Voices)->Unit(benchmark::kMillisecond);

// With three music pieces held in memory (/0) or played from their files
// (/1): what reading while playing costs the mix.
void BM_MixWithMusic(benchmark::State& state) {
    MixEffectsAndMusic(state, 3, state.range(0) == 1);
}
BENCHMARK(BM_MixWithMusic)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The game's snd folder when it has wave files; otherwise
// one of the same make-up: 20 short effects and 3 music pieces.
void BM_LoadSoundFolder(benchmark::State& state) {
    // The benchmark runs from build/bench; the game's data lies in build/.
    const std::string candidates[] = {ResolvePath("snd"), ResolvePath("../snd")};
    BenchDir dir;
    std::string folder = dir.Snd();
    std::error_code ec;
    for (const auto& snd : candidates)
        for (const auto& e : fs::directory_iterator(snd, ec))
            if (folder == dir.Snd() && e.path().extension() == ".wav") folder = snd;
    if (folder == dir.Snd()) {
        for (int i = 0; i < 20; ++i)
            WriteTone(folder + "/fx" + std::to_string(i) + ".wav", 1, i % 2 ? 22050 : 44100, 16,
                      0.2 + 0.05 * i, 300);
        for (int i = 0; i < 3; ++i)
            WriteTone(folder + "/music" + std::to_string(i) + ".wav", 2, 44100, 16, 20, 220);
    }
    std::uintmax_t bytes = 0;
    for (const auto& e : fs::directory_iterator(folder, ec)) bytes += e.is_regular_file() ? e.file_size() : 0;
    for (auto _ : state) {
        TkbDSound engine(std::make_unique<RecordingAudioOutput>(), true, false);
        engine.LoadWaves(folder);
        benchmark::DoNotOptimize(engine.Sounds().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_LoadSoundFolder)->Unit(benchmark::kMillisecond);

}  // namespace
