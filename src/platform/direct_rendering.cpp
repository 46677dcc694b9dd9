// Asking the X server for DRI before any OpenGL is loaded: Mesa's software
// rasteriser brings LLVM into the process, some 50 MB of resident memory that
// stays after the renderer is gone, only to be refused for being slow.
#include "platform/direct_rendering.h"

#include <SDL_syswm.h>

#include <cstdlib>
#include <cstring>

bool MayRenderInHardware(SDL_Window* window) {
    const char* software = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    if (software && *software && std::strcmp(software, "0") != 0) return false;
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
    int opcode = 0, event = 0, error = 0;
    Display* display = info.info.x11.display;
    return XQueryExtension(display, "DRI3", &opcode, &event, &error) ||
           XQueryExtension(display, "DRI2", &opcode, &event, &error);
#else
    (void)window;
    return true;
#endif
}
