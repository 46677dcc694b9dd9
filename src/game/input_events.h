// Input as the game screen's handlers see it: Windows virtual-key codes for
// key downs, Windows-1252 characters for key presses.
#pragma once

#include <cstdint>

enum : std::uint16_t {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_PAUSE = 19,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_F1 = 112,
};

struct TShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

enum class InputKind {
    KeyDown,
    KeyPress,
    MouseDown,
    MouseUp,
    MouseWheelDown,
    MouseWheelUp,
    MouseMove,
    CloseRequest,
    Expose,      // the window's contents must be drawn again (it was covered)
    Activate,    // the window became the active one
    Deactivate,  // another window became the active one
};

struct InputEvent {
    InputKind Kind = InputKind::MouseMove;
    std::uint16_t Key = 0;  // KeyDown: virtual-key code ('A'..'Z', '0'..'9' or VK_*)
    char Char = 0;          // KeyPress: the character (13 Enter, 8 Backspace, 27 Escape)
    TShiftState Shift;
    TMouseButton Button = TMouseButton::mbLeft;
    std::int32_t X = 0, Y = 0;  // mouse events: window client coordinates
};
