// Timed input for the headless runner: a small text format, one happening
// per line, "<milliseconds> <what> [arguments]". Lines starting with # and
// blank lines are skipped. What:
//   move X Y          the cursor moves to client coordinates X, Y
//   click [BUTTON]    a press and release (left, right or middle; left by default)
//   down [BUTTON]     a press; up [BUTTON] a release
//   key NAME          a key as a keyboard gives it: key down, then the
//                     character for Enter, Backspace, Escape, Tab, Space,
//                     letters and digits. Names: Escape, Enter, Backspace,
//                     Tab, Space, Delete, Insert, Up, Down, Left, Right,
//                     Home, End, PageUp, PageDown, Pause, F1..F12, a letter
//                     or a digit; "ctrl+", "shift+", "alt+" in front add
//                     modifiers (a key with ctrl or alt gives no character)
//   text CHARACTERS   the rest of the line typed as characters (UTF-8 in the file)
//   wheel up|down     one notch of the mouse wheel
//   close             the window's close box
//   expose            the window was uncovered and must be drawn again
//   deactivate        another window became the active one; activate: back
//   stall MS          the program is held up for MS milliseconds
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "game/capture_display.h"

class EInputScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Schedules every happening of the script on the display; raises
// EInputScriptError naming the line for anything it does not understand.
void LoadInputScript(std::string_view text, CaptureDisplay& display);
