// The game screen's replays: the tape taken when the screen starts, frames
// with their check lines, a replay fed in place of live input and watched
// with pause and fast-forward, and the recording saved when the screen closes.
#include <algorithm>
#include <chrono>
#include <functional>

#include "engine/screenshot.h"
#include "game/game_screen.h"
#include "game/replay_files.h"
#include "infra/config_file.h"
#include "infra/file_io.h"
#include "infra/game_data.h"
#include "infra/log.h"
#include "infra/paths.h"
#include "infra/random.h"
#include "online/version_check.h"
#include "world/cave_front.h"
#include "world/swarm.h"

namespace {

// Fast-forward plays this many recorded steps per step of the clock.
constexpr std::uint32_t FastForwardSpeed = 4;

// Runs one save of the recording; a failure is only logged, so that neither
// the other save nor the game's own files depend on it.
void SaveOrSay(const std::function<void()>& save) {
    try {
        save();
    } catch (const std::exception& e) {
        try {
            WriteLog(std::string("Replay not saved: ") + e.what());
        } catch (const std::exception&) {
            // Nowhere to say it either; the game's own files are untouched.
        }
    }
}

}  // namespace

void TDDFullScreenForm1::PlayReplay(TReplayPlayer& player) {
    player_ = &player;
    Tape = &player;
    player.Attach(*this);
}

void TDDFullScreenForm1::StartTape() {
    if (player_) {
        // Chance as it was; nothing the replay does is saved.
        RandSeed = player_->Header().Seed;
        caveEdit_ = player_->Header().CaveEdit;
        World.SaveRecords = nullptr;
        return;
    }
    caveEdit_ = SwitchSettingOn("caveedit", *Outside().Messages);
    TReplayHeader header;
    header.Program = ProgramVersion;
    header.Seed = RandSeed;
    header.LevelNumber = GameData.LevelNumber;
    header.LevelSum = FileChecksum(LevelFileName());
    header.FrontSum = FileChecksum(FrontFile);
    header.DisplayMode = DisplayMode;
    TakeEnvSettings(Env, header);
    header.CaveEdit = caveEdit_;
    Recorder.Begin(header);
    Tape = &Recorder;
}

bool TDDFullScreenForm1::RunFrame(std::int32_t steps) {
    return RunFramePipeline(steps, [this] {
        std::invoke(glsproc, this);
        AfterStep();
    });
}

void TDDFullScreenForm1::AfterStep() {
    ++StepsRun;
    if (Tape && StepsRun % ReplayCheckInterval == 0) Tape->Check(StepsRun, StateChecksum());
}

bool TDDFullScreenForm1::ReplayFrame(std::int32_t steps, bool draw) {
    const bool drawing = DrawFrames;
    // As fast as it goes, a drawing replay draws every frame.
    DrawFrames = drawing && (draw || ReplaySpeed == 0);
    const bool ran = RunFrame(steps);
    DrawFrames = drawing;
    return ran;
}

void TDDFullScreenForm1::FeedReplay(std::int32_t steps) {
    if (!watchPaused_) {
        if (ReplaySpeed == 0) {
            replayBudget_ = UINT64_MAX;
        } else {
            // What a stall saved up plays at once, but no more than a frame's worth.
            const std::uint64_t most = static_cast<std::uint64_t>(MaxStepsPerFrame) * ReplaySpeed;
            replayBudget_ = std::min(replayBudget_ + static_cast<std::uint64_t>(steps) * ReplaySpeed, most);
        }
        player_->Feed(replayBudget_);
    }
    if (player_->Feeding() || replayEnding_) return;
    replayEnding_ = true;
    // A replay that ran to its end has stopped the loop itself; any other
    // (cut short, different, stopped) ends the screen as a signal would.
    if (!player_->Finished() || player_->Cut() || player_->Difference()) EndWithoutWaiting();
}

void TDDFullScreenForm1::WatchInput(const InputEvent& e) {
    if (e.Kind == InputKind::CloseRequest) {
        StopWatching();
    } else if (e.Kind == InputKind::KeyDown) {
        if (e.Key == VK_ESCAPE)
            StopWatching();
        else if (e.Key == 'P' && e.Shift.Ctrl)
            TakeScreenshot();
        else if (e.Key == 'P')
            watchPaused_ = !watchPaused_;
        else if (e.Key == 'F')
            ReplaySpeed = ReplaySpeed == 1 ? FastForwardSpeed : 1;
    } else {
        TDDFullScreenForm::WatchInput(e);
    }
}

void TDDFullScreenForm1::StopWatching() {
    watchPaused_ = false;
    EndWithoutWaiting();
}

void TDDFullScreenForm1::ScreenClosed() {
    if (!Tape) return;
    Tape->Closed(StepsRun, StateChecksum());
    if (!player_ && Recorder.Complete()) SaveRecording();
}

void TDDFullScreenForm1::SaveRecording() {
    if (Recorder.GamesPlayed() > 0)
        SaveOrSay([this] {
            SaveReplay(ResolvePath(ReplayDir), Recorder.Text(), std::chrono::system_clock::now(),
                       Recorder.BestScore(), EnteredHighscores(Recorder.Header(), Env));
        });
    // The log keeps the replay of the visit that failed, also when the
    // replays folder could not take it.
    if (ErrorOccurred)
        SaveOrSay([this] { WriteFileAtomically(ResolvePath(LogReplayFile), Recorder.Text()); });
}
