// The game screen's base: it owns the display, the screen surfaces, the sprite
// list and the sound engine, runs the frame loop and closes through a fixed
// protocol whose last log line is "OK" or "ERROR".
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "engine/surface.h"
#include "game/display.h"
#include "game/game_tape.h"
#include "game/gui_queue.h"
#include "game/input_events.h"
#include "game/loop_thread.h"
#include "infra/outside_world.h"
#include "world/world.h"
class IAudioOutput;
class TkbDSound;

// The close request a form posts to itself (the old WM_CLOSE).
constexpr std::uint32_t WM_CLOSE = 0x0010;

class TDDFullScreenForm {
public:
    // The creation handler: field defaults. makeAudioOutput gives the sound
    // engine its output when the engine starts (nullptr: no device); the
    // outside world gives the clock, the fonts, the resources, the machine's
    // facts and the message boxes.
    TDDFullScreenForm(IDisplay& display, std::function<std::unique_ptr<IAudioOutput>()> makeAudioOutput,
                      const TOutsideWorld& outside);
    virtual ~TDDFullScreenForm();
    TDDFullScreenForm(const TDDFullScreenForm&) = delete;
    TDDFullScreenForm& operator=(const TDDFullScreenForm&) = delete;

    // Shows the form and runs its events and frames until it has closed;
    // then destroys what it holds (FormDestroy).
    void ShowModal();
    // A close request, as the window's close box gives it.
    void Close();

    void SetDisplayMode(int mode);
    virtual void InitDDraw();
    virtual void FreeDDraw();
    virtual bool RestoreSurfaces();
    virtual void ThreadNotify(std::int32_t steps);

    void SetFlipping(bool on);
    void Back();
    void BackImageToSecondarySurface();
    // Presents SecondarySurface (waiting for the vertical blank where the
    // display offers it); in window mode through BlitToWindow.
    void Flip();
    // Window mode: the whole frame into the window's client area.
    void BlitToWindow();
    void ReadMouse();
    void SetBackImage(const std::string& fileName);
    void ShowLoading();
    bool SkipFrameForLostSurfaces();
    void WMLoopEnded(std::uint64_t threadId);

    // An input event as the handlers take it (Dispatch gives them the live
    // ones; a replay gives them the recorded ones).
    void HandleInput(const InputEvent& event);

    // Events.
    virtual void FormShow();
    void FormPaint();
    virtual void FormActivate();
    // canClose is false when the close is refused.
    void FormClose(bool& canClose);
    void FormDestroy();
    virtual void FormKeyDown(std::uint16_t key, TShiftState shift);
    virtual void FormKeyPress(char& key);
    virtual void FormMouseDown(TMouseButton button);
    virtual void FormMouseUp();
    virtual void FormMouseWheelDown();
    virtual void FormMouseWheelUp();

    // Fields, as the game states use them.
    std::uint32_t CooperativeFlags = 19;
    std::int32_t width = 800;
    std::int32_t height = 600;
    std::int32_t BitsPerPixel = 16;
    std::int32_t BackBufferCount = 1;
    std::uint8_t DisplayMode = 0;
    TSurfaceRef PrimarySurface;
    bool LoopRunning = false;
    bool FlippingOn = false;
    std::unique_ptr<TLoopThread> LoopThread;
    std::uint64_t LoopThreadID = 0;
    std::string BackImageName;
    bool ErrorOccurred = false;
    bool SoundOn = true;
    bool SoundModeFlag = false;
    bool Paused = false;
    bool LevelActive = false;
    // The input fields the world objects read and set; the names below are
    // the form's own for them.
    TGameScreenFields Screen;
    bool& Clicked = Screen.Clicked;
    std::int32_t& MouseX = Screen.MouseX;
    std::int32_t& MouseY = Screen.MouseY;
    std::int32_t PrevMouseX = -1, PrevMouseY = -1;
    std::int32_t& PendingShots = Screen.PendingShots;
    bool Closing = false;
    bool EscapePressed = false;
    std::int32_t BackScroll = 0;
    std::unique_ptr<TkbDSound> SoundEngine;

    // The replay tape: it sees every event, frame and mouse reading of the
    // game, or, playing a replay, supplies them (the live input then goes to
    // WatchInput instead). None: nothing is recorded.
    IGameTape* Tape = nullptr;
    // Frames draw the back image and the sprites and present them; a replay
    // being verified runs only the steps.
    bool DrawFrames = true;
    // Frames come from a pacing thread; the headless runner turns that off
    // and lets the GUI loop poll the step timer itself.
    bool ThreadedLoop = true;
    // Steps handed to the frame pipeline so far (the headless runner names
    // saved frames by them).
    std::uint64_t StepCount = 0;
    // True once the form has closed.
    bool Closed() const { return closed_; }
    IDisplay& Display() { return display_; }
    const TOutsideWorld& Outside() const { return outside_; }
    TGuiQueue& Queue() { return queue_; }

protected:
    // The frame pipeline: restore lost surfaces (or skip the frame), copy the
    // back image, run stateStep once per step unless paused, paint the sprite
    // list while a level is active, present. A lost surface ends the frame
    // silently; any other failure is logged with the step's name, marks the
    // run as failed and winds the screen down. True when the steps ran.
    bool RunFramePipeline(std::int32_t steps, const std::function<void()>& stateStep);
    // Live input while a replay plays: the base only redraws an uncovered window.
    virtual void WatchInput(const InputEvent& event);
    // The modal loop has ended (the form closed), before FormDestroy.
    virtual void ScreenClosed() {}
    // Sets ErrorOccurred and Closing and logs the line.
    void FailRun(const std::string& logLine);
    // A start that failed: logged, the run marked as failed, and a close
    // request posted to the form itself, which then closes at once.
    void StartFailed(const std::exception& e);

private:
    void Dispatch(const InputEvent& event);
    void HandleMessages();
    void CreateWindowSurfaces();
    void CreateFullScreenSurfaces();
    bool RestoreOne(const TSurfaceRef& surface);
    void FillScreenSurfaces();
    void LogFinalLine();

    IDisplay& display_;
    std::function<std::unique_ptr<IAudioOutput>()> makeAudioOutput_;
    TOutsideWorld outside_;
    TGuiQueue queue_;
    bool closed_ = false;
    bool destroyed_ = false;
    bool active_ = false;  // the window is the active one
    bool displayOpen_ = false;
};
