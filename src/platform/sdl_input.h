// Turns SDL's events into the game screen's input events.
#pragma once

#include <SDL.h>

#include <vector>

#include "game/input_events.h"

// A key down gives KeyDown and, for Enter, Backspace, Escape and Tab, the
// KeyPress of its character right after it; typed text gives one KeyPress per
// Windows-1252 character. Mouse buttons, wheel and motion map one to one; a
// window close request becomes CloseRequest. Other events give nothing.
std::vector<InputEvent> TranslateSdlEvent(const SDL_Event& event);
