// The game screen's input table: keys, mouse buttons and the wheel turned
// into flags and calls for the states and the world objects. Handlers run
// between frames, never during one.
#include "engine/screenshot.h"
#include "game/game_screen.h"
#include "hud/displays.h"
#include "infra/clock.h"
#include "infra/log.h"
#include "world/cave_front.h"

namespace {

// A second P within this time of the first leaves the game paused, so that a
// key that bounces does not undo the pause at once.
constexpr std::uint32_t PauseDebounceMs = 200;
constexpr std::int32_t PauseCost = 100;

bool NameEntryActive(const TGameWorld& world) {
    return world.Anzeige && world.Anzeige->HSEntryActive();
}

}  // namespace

void TDDFullScreenForm1::FormKeyDown(std::uint16_t key, TShiftState shift) {
    if (key == VK_ESCAPE) {
        WriteLog("Formkeydown: Escape");
        Closing = true;
        EscapePressed = true;
    } else if (key == 'P' && shift.Ctrl) {
        if (!ReplayPlaying()) TakeScreenshot();
    } else if (key == 'P') {
        if (LevelActive && !NameEntryActive(World)) TogglePause();
    } else if (key == VK_DELETE) {
        if (LevelActive && World.Front) World.Front->DeleteSelected();
    } else if (key == VK_UP || key == VK_DOWN) {
        if (LevelActive && World.Front) World.Front->ChangeDepth(key == VK_UP ? 1.0 : -1.0);
    }
}

void TDDFullScreenForm1::TogglePause() {
    if (!Paused) {
        Paused = true;
        PauseTick = GameClock.TickCount();
        // Taken without repainting: the score shows it with the next change.
        if (World.Anzeige) World.Anzeige->ScorePoints->Points -= PauseCost;
    } else if (GameClock.TickCount() - PauseTick > PauseDebounceMs) {
        Paused = false;
    }
}

void TDDFullScreenForm1::FormKeyPress(char& key) {
    if (LevelActive && NameEntryActive(World)) {
        World.Anzeige->HSKeyPress(key);
        return;
    }
    if (key == 13)
        Click();
    else if ((key == 'T' || key == 't') && World.Playing)
        ToggleTorpedo();
}

void TDDFullScreenForm1::ToggleTorpedo() {
    if (!World.Anzeige) return;
    if (World.Anzeige->TorpedoMode)
        World.Anzeige->TorpedoOff();
    else
        World.Anzeige->TorpedoOn();
}

void TDDFullScreenForm1::FormMouseDown(TMouseButton button) {
    if (button == TMouseButton::mbLeft) Click();
}

void TDDFullScreenForm1::FormMouseUp() {
    if (LevelActive && World.Front) World.Front->Release();
}

void TDDFullScreenForm1::FormMouseWheelDown() {
    if (LevelActive && World.Front) World.Front->ChangeType(-1);
}

void TDDFullScreenForm1::FormMouseWheelUp() {
    if (LevelActive && World.Front) World.Front->ChangeType(+1);
}
