// vantorel-headless: runs the game screen on a capture display with a manual
// clock, scripted input (or a simple bot) and a recording audio output; prints
// the log lines written while it ran and can save chosen frames as PNG
// pictures. It also plays and verifies replays.
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "content/content_resources.h"
#include "game/capture_display.h"
#include "game/game_screen.h"
#include "game/input_script.h"
#include "game/menu_preparation.h"
#include "game/replay_verify.h"
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
#include "sound/recording_audio_output.h"

namespace {

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
TReplayFrameSink FrameSaver(const HeadlessOptions& options, const std::string& framesDir) {
    if (!framesDir.empty()) std::filesystem::create_directories(framesDir);
    return [&options, framesDir, pending = options.SaveAtSteps.begin()](const TSurface& surface,
                                                                        std::uint64_t steps) mutable {
        while (pending != options.SaveAtSteps.end() && *pending <= steps) {
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

// The runner's outside world (the generated resources, FreeType's text), with
// the program folder prepared as the menu window would before a game.
TOutsideWorld PreparedOutside(TFreeTypeRasterizer& font) {
    TOutsideWorld outside;
    outside.Resources = &ContentResources();
    outside.Fonts = &font;
    PrepareLikeTheMenu(outside);
    return outside;
}

// Plays the replay: 0 when it matches, 1 when it differs, 2 when it cannot be read.
int RunReplay(const HeadlessOptions& options) {
    const std::string replayFile = Absolute(options.ReplayFile);
    const std::string framesDir = Absolute(options.SaveFramesDir);
    const auto text = ReadWholeFile(replayFile);
    if (!text) throw std::runtime_error("cannot read " + replayFile);
    if (!options.Dir.empty()) SetProgramDir(Absolute(options.Dir));
    TFreeTypeRasterizer font;
    const TOutsideWorld outside = PreparedOutside(font);
    TReplayContent content;
    content.Resources = outside.Resources;
    content.Fonts = &font;
    const TReplayVerdict verdict = VerifyReplay(
        *text, content, {}, [](std::string_view line) { std::cout << line << '\n'; },
        options.Verify ? TReplayFrameSink() : FrameSaver(options, framesDir));
    std::cout.flush();
    std::cerr << "replay: " << VerdictText(verdict) << '\n';
    switch (verdict.Status) {
        case TReplayStatus::Matches:
            return 0;
        case TReplayStatus::Differs:
            return 1;
        case TReplayStatus::BadFile:
            break;
    }
    return 2;
}

int Run(const HeadlessOptions& options) {
    if (!options.ReplayFile.empty()) return RunReplay(options);
    const std::string inputFile = Absolute(options.InputFile);
    const std::string framesDir = Absolute(options.SaveFramesDir);
    const std::string recordFile = Absolute(options.RecordFile);
    if (!options.Dir.empty()) SetProgramDir(Absolute(options.Dir));
    std::function<void(std::string_view)> onLogLine;
    SetLogListener([&onLogLine](std::string_view line) {
        std::cout << line << '\n';
        if (onLogLine) onLogLine(line);
    });
    TFreeTypeRasterizer font;
    TOutsideWorld outside = PreparedOutside(font);
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
    display.OnPresent = [saveFrame = FrameSaver(options, framesDir), &bot, &form](const TSurface& surface) {
        saveFrame(surface, form.StepCount);
        if (bot) bot->OnFrame();
    };
    form.ShowModal();
    onLogLine = nullptr;
    if (!recordFile.empty()) {
        if (!form.Recorder.Complete()) throw std::runtime_error("the run left no replay to write");
        WriteFileAtomically(recordFile, form.Recorder.Text());
    }
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
