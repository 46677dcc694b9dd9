// The game screen proper: loads the game's graphics and sounds once the
// display runs, and drives games from the title screen through play to their
// end, again and again, with a state machine of one procedure per state.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "game/dd_fullscreen_form.h"
#include "game/game_world.h"
#include "game/replay_player.h"
#include "game/replay_recorder.h"
#include "game/taped_clock.h"

class TDDFullScreenForm1 : public TDDFullScreenForm, public IReplayTarget {
public:
    using TStateProc = void (TDDFullScreenForm1::*)();

    // The creation handler (FormCreate). definitions is the animation
    // definitions text; empty: the TEXT resource "SBMEMO".
    TDDFullScreenForm1(IDisplay& display, std::function<std::unique_ptr<IAudioOutput>()> makeAudioOutput,
                       const TOutsideWorld& outside, std::string definitions = {});
    ~TDDFullScreenForm1() override;

    void InitDDraw() override;
    void FreeDDraw() override;
    void ThreadNotify(std::int32_t steps) override;

    // The world of one game: created by glsInit, freed by glsExit.
    void InitLevel();
    void CloseLevel();
    // A left click or Enter: a shot while playing, else Clicked.
    void Click();
    // The whole program is asked to end (a signal): the close request of the
    // window's close box, and neither a pause nor the farewell picture waits
    // for the player, so the screen closes within a few frames.
    void EndWithoutWaiting();

    // The states, each run once per step.
    void glsInit();
    void glsBegin();
    void glsBegin2();
    void glsLoop();
    void glsCaveEdit();
    void glsExit();
    void glsInfo();
    void glsEnd();
    void glsNone();

    void FormKeyDown(std::uint16_t key, TShiftState shift) override;
    void FormKeyPress(char& key) override;
    void FormMouseDown(TMouseButton button) override;
    void FormMouseUp() override;
    void FormMouseWheelDown() override;
    void FormMouseWheelUp() override;

    TStateProc glsproc = nullptr;
    std::int32_t Countdown = 0;
    bool HelpShown = false;
    std::uint32_t PauseTick = 0;
    std::uint32_t& StartTick = Screen.StartTick;
    // The clock the game reads, past the replay tape.
    TTapedClock GameClock{*Outside().Clock, Tape};
    // The world of the current game; its objects exist from InitLevel to CloseLevel.
    TGameWorld World{Screen, GameClock};
    bool LevelLoaded() const { return World.IsOpen(); }

    // Replays. Every visit is recorded; the replay is saved when it closes.
    TReplayRecorder Recorder;
    // The state procedures run so far (a paused step does not run).
    std::uint64_t StepsRun = 0;
    // Plays a replay instead of taking live input: set before ShowModal. The
    // replay's header must already be in Env and GameData (TReplaySession).
    void PlayReplay(TReplayPlayer& player);
    bool ReplayPlaying() const { return player_ != nullptr; }
    // Steps of the replay per step of the clock: 1, 4 while fast-forwarding,
    // 0 for as fast as it goes (a verification).
    std::uint32_t ReplaySpeed = 1;
    // The checksum of the game's state that the check lines carry.
    std::uint32_t StateChecksum() const;

    bool ReplayFrame(std::int32_t steps, bool draw) override;
    void ReplayEvent(const InputEvent& event) override { HandleInput(event); }
    void ReplayQuit() override { QuitNow(); }
    bool ReplayLoopRunning() const override { return FlippingOn; }
    bool ReplayClosed() const override { return Closed(); }
    std::uint64_t ReplaySteps() const override { return StepsRun; }

protected:
    void WatchInput(const InputEvent& event) override;
    void ScreenClosed() override;

private:
    // EndWithoutWaiting for the game itself (a replay plays on through it).
    void QuitNow();
    // What decides the visit, taken when the screen starts, and the tape set.
    void StartTape();
    bool RunFrame(std::int32_t steps);
    void AfterStep();
    void FeedReplay(std::int32_t steps);
    void StopWatching();
    TReplayGame GameResult() const;
    void SaveRecording();
    void FormCreate();
    void LoadSounds();
    void StepWorld();
    void ScrollCave();
    void TogglePause();
    void ToggleTorpedo();
    std::string BackPicture(const char* which) const;

    std::string definitions_;
    bool endWithoutWaiting_ = false;
    bool caveEdit_ = false;     // "caveedit", read once when the screen starts
    bool gameStarted_ = false;  // play began in this level
    TReplayPlayer* player_ = nullptr;
    std::uint64_t replayBudget_ = 0;
    bool watchPaused_ = false;
    bool replayEnding_ = false;
    bool nameEntry_ = false;  // as the display last heard it
};
