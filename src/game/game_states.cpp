// The game states: one procedure per state, run once per 20 ms step; each
// leaves its state by setting glsproc to the next.
#include <algorithm>

#include "engine/screen.h"
#include "engine/screenshot.h"
#include "game/game_screen.h"
#include "game/game_sounds.h"
#include "hud/displays.h"
#include "infra/clock.h"
#include "infra/env_data.h"
#include "infra/game_data.h"
#include "infra/log.h"
#include "online/system_report.h"
#include "world/bubble_points.h"
#include "world/bubbles.h"
#include "world/cave_front.h"
#include "world/pipe.h"
#include "world/shots.h"
#include "world/swarm.h"

namespace {

// The cave scrolls this far per step of play.
constexpr std::int32_t CaveStepPerStep = 5;
// The edge bands of the cave editor in which the view scrolls.
constexpr std::int32_t EditScrollBand = 50;
constexpr std::int32_t ApproachSteps = 100;  // glsBegin2: two seconds
constexpr std::int32_t InfoSteps = 9000;     // glsInfo: three minutes at most

}  // namespace

std::string TDDFullScreenForm1::BackPicture(const char* which) const {
    return std::string("GFX/") + GraphicSetFolder() + "/" + which;
}

void TDDFullScreenForm1::glsInit() {
    WriteLog("glsInit: Start");
    if (Closing) {
        WriteLog("glsInit: Close");
        glsproc = &TDDFullScreenForm1::glsEnd;
        return;
    }
    InitLevel();
    SetBackImage(BackPicture("Back"));
    ShowStatusLine(
        "ESC->zur\xFC"
        "ck zum Men\xFC");
    Clicked = false;
    glsproc = &TDDFullScreenForm1::glsBegin;
    if (caveEdit_) {
        WriteLog("glsInit: Caveedit on");
        glsproc = &TDDFullScreenForm1::glsCaveEdit;
        World.Anzeige->Title->SetVisible(false);
    } else {
        World.Front->HideAll();
    }
    if (Env.MusicOn) {
        WriteLog("glsInit: Music on");
        PlaySound(TitleMusicName, true);
    }
    LevelActive = true;
    BackScroll = 0;
    LogSystemInfo(*Outside().Facts);
    WriteLog("glsInit: End");
}

void TDDFullScreenForm1::glsBegin() {
    if (Closing) {
        WriteLog("glsBegin: Close");
        glsproc = &TDDFullScreenForm1::glsExit;
        return;
    }
    int part = -1;
    try {
        World.Anzeige->Animate();
        part = 1;
        World.Spermien->Move();
        part = 2;
        World.Bubbles->Move();
    } catch (...) {
        WriteLog("glsbegin: step(" + std::to_string(part) + ") ;");
        throw;
    }
    if (!Clicked) return;
    StartTick = GameClock.TickCount();
    gameStarted_ = true;
    WriteLog("glsBegin: Return");
    World.Anzeige->StartGame();
    World.Spermien->StartLevel();
    HelpShown = true;
    if (Env.MusicOn) StopSound(TitleMusicName);
    PlaySound(ComingSoundName);
    Countdown = ApproachSteps;
    World.Playing = true;
    World.Rohre->Show();
    glsproc = &TDDFullScreenForm1::glsBegin2;
    ++Env.GamesStarted;
    World.Front->ShowAll();
    World.Front->ScrollPos = FrontScrollStart;
}

void TDDFullScreenForm1::glsBegin2() {
    if (Closing) {
        WriteLog("glsBegin2: Close");
        glsproc = &TDDFullScreenForm1::glsExit;
        return;
    }
    ReadMouse();
    World.Rohre->Move();
    World.Schuesse->Move();
    World.Front->Move();
    if (--Countdown > 0) return;
    WriteLog("glsBegin2: Return");
    glsproc = &TDDFullScreenForm1::glsLoop;
    if (Env.MusicOn) PlaySound(PlayMusicName);
}

void TDDFullScreenForm1::glsLoop() {
    if (Closing) {
        WriteLog("glsLoop: Close");
        if (World.GameWon) ++Env.GamesWon;
        BackScroll = 0;
        glsproc = &TDDFullScreenForm1::glsExit;
    } else if (World.GameLost && Clicked) {
        WriteLog("glsLoop: Lost");
        BackScroll = 0;
        StopSound(PlayMusicName);
        glsproc = &TDDFullScreenForm1::glsExit;
    } else if (World.GameWon && Clicked) {
        WriteLog("glsLoop: Won");
        ++Env.GamesWon;
        BackScroll = 0;
        StopSound(PlayMusicName);
        glsproc = &TDDFullScreenForm1::glsExit;
    } else {
        StepWorld();
        ScrollCave();
    }
}

void TDDFullScreenForm1::StepWorld() {
    // Hits are found inside these moves, so the order is the game's.
    ReadMouse();
    World.Spermien->Move();
    World.Rohre->Move();
    World.Schuesse->Move();
    World.Anzeige->Animate();
    World.Bubbles->Move();
    World.Bubblpoints->Move();
    World.Front->Move();
}

void TDDFullScreenForm1::ScrollCave() {
    // The cave ends after 80 seconds of play; from then on it stands still.
    if (World.Front->ScrollPos <= FrontScrollEnd) return;
    World.Front->ScrollPos = std::max(World.Front->ScrollPos - CaveStepPerStep, FrontScrollEnd);
    BackScroll = (BackScroll + 1) % ScreenWidth;
}

void TDDFullScreenForm1::glsCaveEdit() {
    if (Closing) {
        // Leave first: a save that fails is logged by the frame and must not
        // keep the screen retrying it (and refusing to close) for ever.
        BackScroll = 0;
        glsproc = &TDDFullScreenForm1::glsExit;
        if (!ReplayPlaying()) World.Front->SaveFront();
        return;
    }
    ReadMouse();
    std::int32_t a = 0;
    if (MouseX < EditScrollBand)
        a = MouseX - EditScrollBand;
    else if (MouseX > ScreenWidth - EditScrollBand)
        a = MouseX - (ScreenWidth - EditScrollBand);
    a = std::clamp(World.Front->ScrollPos + a, FrontScrollEnd, 0) - World.Front->ScrollPos;
    World.Front->ScrollPos += a;
    World.Front->MoveSelected(a);
    BackScroll = ((BackScroll - a) % ScreenWidth + ScreenWidth) % ScreenWidth;
    World.Front->Move();
    if (Clicked) {
        Clicked = false;
        World.Front->ClickAt(MouseX, MouseY, 1);
    }
}

void TDDFullScreenForm1::glsExit() {
    WriteLog("glsExit: Start");
    // The next state is set before anything here can fail: a failure is logged
    // by the frame, and this state must not run (and fail) again every step.
    const bool leaving = Closing;
    glsproc = leaving ? &TDDFullScreenForm1::glsInfo : &TDDFullScreenForm1::glsInit;
    if (gameStarted_ && Tape) Tape->GameEnded(StepsRun + 1, GameResult());
    gameStarted_ = false;
    CloseLevel();
    if (leaving) {
        Clicked = false;
        EscapePressed = false;
        Countdown = InfoSteps;
        WriteLog("glsExit: Close1");
        SetBackImage(BackPicture("Info"));
        WriteLog("glsExit: Close2");
        BackImageToSecondarySurface();
        WriteLog("glsExit: Close3");
        Flip();
        WriteLog("glsExit: Close4");
    } else {
        WriteLog("glsExit: Play again");
    }
    WriteLog("glsExit: End");
    // Saved last for the same reason: a save that fails is logged and ends the
    // run, with the level freed and the information picture already shown.
    if (!ReplayPlaying()) SaveGameData("SPS/game.dat");
}

void TDDFullScreenForm1::glsInfo() {
    --Countdown;
    if (Countdown <= 0 || Clicked || EscapePressed || endWithoutWaiting_) {
        WriteLog("glsInfo: End");
        glsproc = &TDDFullScreenForm1::glsEnd;
    }
}

void TDDFullScreenForm1::glsEnd() {
    WriteLog("glsEnd: Start");
    Back();
    glsproc = &TDDFullScreenForm1::glsNone;
    WriteLog("glsEnd: End");
}

void TDDFullScreenForm1::glsNone() {}
