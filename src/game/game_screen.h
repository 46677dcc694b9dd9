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

class TDDFullScreenForm1 : public TDDFullScreenForm {
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
    // The world of the current game; its objects exist from InitLevel to CloseLevel.
    TGameWorld World{Screen, *Outside().Clock};
    bool LevelLoaded() const { return World.IsOpen(); }

private:
    void FormCreate();
    void LoadSounds();
    void StepWorld();
    void ScrollCave();
    void TogglePause();
    void ToggleTorpedo();
    std::string BackPicture(const char* which) const;

    std::string definitions_;
    bool endWithoutWaiting_ = false;
    bool nameEntry_ = false;  // as the display last heard it
};
