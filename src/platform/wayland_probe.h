// Whether the Wayland compositor the session names can run the game screen.
#pragma once

// True when WAYLAND_DISPLAY names a compositor that answers and offers a
// seat. SDL 2.26's Wayland driver crashes on a compositor without one (a
// headless one), so the program must not hand it such a compositor.
bool WaylandCompositorUsable();
