// vantorel-headless: runs the game screen on a capture display with a manual
// clock, scripted input (or a simple bot) and a recording audio output; prints
// the log lines written while it ran and can save chosen frames as PNG
// pictures.
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "content/content_resources.h"
#include "game/capture_display.h"
#include "game/game_screen.h"
#include "game/input_script.h"
#include "headless_bot.h"
#include "headless_options.h"
#include "infra/clock.h"
#include "infra/env_data.h"
#include "infra/file_io.h"
#include "infra/game_data.h"
#include "infra/log.h"
#include "infra/outside_world.h"
#include "infra/paths.h"
#include "infra/random.h"
#include "platform/freetype_rasterizer.h"
#include "png_writer.h"
#include "sound/convert_sounds.h"
#include "sound/recording_audio_output.h"

namespace {

// Music preparation without a panel: progress goes to standard error.
class ConsoleProgress : public IConvertProgress {
public:
    void Started(int jobs) override { std::cerr << "Converting " << jobs << " music file(s)...\n"; }
    void Progressed(int) override {}
    void Finished() override {}
};

// What the menu window does before a game: its folder, the records, the music.
void PrepareLikeTheMenu(const TOutsideWorld& outside) {
    EnterProgramDir();
    EnsureSpsDir();
    LoadEnv();
    LoadGameData("SPS/game.dat", *outside.Messages);
    ConsoleProgress progress;
    ConvertSounds(progress, outside);
}

// The input script's happenings, and the close request after the last step.
void ScheduleInput(CaptureDisplay& display, const HeadlessOptions& options, const std::string& inputFile) {
    if (!inputFile.empty()) {
        const auto script = ReadWholeFile(inputFile);
        if (!script) throw std::runtime_error("cannot read " + inputFile);
        LoadInputScript(*script, display);
    }
    InputEvent close;
    close.Kind = InputKind::CloseRequest;
    const std::uint64_t closeAtMs = options.MaxSteps * 20;
    display.ScheduleInput(static_cast<std::uint32_t>(std::min<std::uint64_t>(closeAtMs, 0x7FFFFFFF)), close);
}

// Saves the frame presented when each of the chosen steps has been reached.
std::function<void(const TSurface&)> FrameSaver(const HeadlessOptions& options, const std::string& framesDir,
                                                const TDDFullScreenForm1& form) {
    if (!framesDir.empty()) std::filesystem::create_directories(framesDir);
    return
        [&options, framesDir, &form, pending = options.SaveAtSteps.begin()](const TSurface& surface) mutable {
            while (pending != options.SaveAtSteps.end() && *pending <= form.StepCount) {
                const std::string path = framesDir + "/step_" + std::to_string(*pending) + ".png";
                SaveSurfaceAsPng(const_cast<TSurface&>(surface), path);
                std::cerr << "saved " << path << '\n';
                ++pending;
            }
        };
}

// Paths on the command line are relative to where the runner was started,
// not to the program directory it moves into.
std::string Absolute(const std::string& path) {
    return path.empty() ? std::string() : std::filesystem::absolute(path).string();
}

int Run(const HeadlessOptions& options) {
    const std::string inputFile = Absolute(options.InputFile);
    const std::string framesDir = Absolute(options.SaveFramesDir);
    if (!options.Dir.empty()) SetProgramDir(Absolute(options.Dir));
    std::function<void(std::string_view)> onLogLine;
    SetLogListener([&onLogLine](std::string_view line) {
        std::cout << line << '\n';
        if (onLogLine) onLogLine(line);
    });
    TFreeTypeRasterizer font;
    TOutsideWorld outside;
    outside.Resources = &ContentResources();
    outside.Fonts = &font;
    PrepareLikeTheMenu(outside);
    // Game time from here on; the music preparation above waits on real time.
    ManualClock clock(0);
    outside.Clock = &clock;
    if (options.Seed) RandSeed = *options.Seed;

    CaptureDisplay display(clock, options.MsPerFrame);
    ScheduleInput(display, options, inputFile);
    TDDFullScreenForm1 form(
        display, [&clock] { return std::make_unique<RecordingAudioOutput>(clock); }, outside);
    form.ThreadedLoop = false;
    std::unique_ptr<THeadlessBot> bot;
    if (options.Bot) {
        bot = std::make_unique<THeadlessBot>(display, form, options.BotFires, options.BotDelayMs);
        onLogLine = [&bot](std::string_view line) { bot->OnLogLine(line); };
    }
    form.SetDisplayMode(options.Mode);
    display.OnPresent = [saveFrame = FrameSaver(options, framesDir, form), &bot](const TSurface& surface) {
        saveFrame(surface);
        if (bot) bot->OnFrame();
    };
    form.ShowModal();
    onLogLine = nullptr;
    // As the menu window does when it closes: the counters of games started
    // and won live in Env, which the game screen saves only with a new name.
    SaveEnv();
    if (bot) std::cerr << "bot: " << bot->Result() << '\n';
    SetLogListener({});
    // The screen closed through its protocol either way; its log ends with
    // "ERROR" exactly when it marked the run as failed.
    return form.ErrorOccurred ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    HeadlessOptions options;
    try {
        options = ParseHeadlessOptions(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "vantorel-headless: " << e.what() << '\n' << HeadlessUsage;
        return 2;
    }
    try {
        return Run(options);
    } catch (const std::exception& e) {
        // The command line was fine: only the error, no usage text.
        std::cerr << "vantorel-headless: " << e.what() << '\n';
        return 2;
    }
}
