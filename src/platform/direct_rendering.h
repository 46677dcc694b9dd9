// Whether OpenGL in a window can reach graphics hardware, asked of the window
// system without loading OpenGL itself.
#pragma once

#include <SDL.h>

// False when the window's X server offers no direct rendering (no DRI3 or
// DRI2: Xvfb, a remote display) or LIBGL_ALWAYS_SOFTWARE asks for the
// processor: OpenGL would then be Mesa's software rasteriser. True otherwise,
// also where it cannot be told (other window systems).
bool MayRenderInHardware(SDL_Window* window);
