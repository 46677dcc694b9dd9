// SDL2 display: window, renderer, streaming texture, events.
#include "sdl_display.h"

#include <SDL_syswm.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/direct_rendering.h"
#include "sdl_input.h"
#include "wayland_probe.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + ": " + SDL_GetError());
}

// True when the screen the window is on runs at width x height.
bool ScreenHasSize(SDL_Window* window, std::int32_t width, std::int32_t height) {
    SDL_DisplayMode mode{};
    const int index = SDL_GetWindowDisplayIndex(window);
    return index >= 0 && SDL_GetCurrentDisplayMode(index, &mode) == 0 && mode.w == width && mode.h == height;
}

// SDL writes an X window's WM_NAME in the locale's own encoding (a type named
// "UTF-8" under a UTF-8 locale) that Xlib's standard conversion does not read:
// task switchers and tools that go by WM_NAME would find a window without a
// name. The caption is plain ASCII, so it goes there as a STRING as well.
void NameXWindow(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    XStoreName(info.info.x11.display, info.info.x11.window, SDL_GetWindowTitle(window));
    XFlush(info.info.x11.display);
#else
    (void)window;
#endif
}

TPixelFormat FormatOfSdl(Uint32 sdlFormat) {
    // Sixteen-bit desktops get 5-6-5; everything else draws in 32-bit XRGB.
    if (SDL_BITSPERPIXEL(sdlFormat) == 16) return PixelFormatRGB565();
    return PixelFormatXRGB8888();
}

}  // namespace

Uint32 SdlFormatOf(const TPixelFormat& format) {
    if (format.dwRGBBitCount == 16 && format.dwRBitMask == 0xF800) return SDL_PIXELFORMAT_RGB565;
    if (format.dwRGBBitCount == 32 && format.dwRBitMask == 0xFF0000) return SDL_PIXELFORMAT_RGB888;
    if (format.dwRGBBitCount == 24 && format.dwRBitMask == 0xFF0000) return SDL_PIXELFORMAT_BGR24;
    return 0;
}

SdlDisplay::SdlDisplay() {
    // On a Wayland desktop the game screen runs natively; SDL itself would
    // take XWayland first. Where Wayland fails to start, X11 still may; a
    // compositor that SDL's Wayland driver cannot use gets X11 only.
    if (!std::getenv("SDL_VIDEODRIVER") && std::getenv("WAYLAND_DISPLAY"))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, WaylandCompositorUsable() ? "wayland,x11" : "x11");
    // SDL's own handlers would turn SIGTERM and SIGINT into a quit event that
    // nobody reads; the program handles them itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) Fail("SDL video");
    wakeEvent_ = SDL_RegisterEvents(1);
    pads_ = std::make_unique<TSdlPads>();
}

SdlDisplay::~SdlDisplay() {
    Close();
    pads_.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

TDisplayModeInfo SdlDisplay::DesktopMode() {
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) Fail("desktop mode");
    return {mode.w, mode.h, FormatOfSdl(mode.format)};
}

SDL_Window* SdlDisplay::CreateScreenWindow(int mode, TDisplayModeInfo& info) {
    const TDisplayModeInfo desktop = DesktopMode();
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (mode == 1) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        info.Width = desktop.Width;
        info.Height = desktop.Height;
    } else if (mode == 0) {
        flags |= SDL_WINDOW_FULLSCREEN;
    }
    SDL_Window* window = SDL_CreateWindow("Vantorel!", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          info.Width, info.Height, flags);
    if (!window) Fail("window");
    if (mode == 0 && !ScreenHasSize(window, info.Width, info.Height)) {
        // The resolution could not be changed (a desktop that refuses mode
        // switches, or a virtual screen): full screen at the desktop's size
        // instead, the picture scaled up. The window is made anew at that
        // size, because without a window manager nobody would resize an
        // 800 x 600 one to the screen.
        SDL_DestroyWindow(window);
        window = SDL_CreateWindow("Vantorel!", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, desktop.Width,
                                  desktop.Height, SDL_WINDOW_SHOWN | SDL_WINDOW_FULLSCREEN_DESKTOP);
        if (!window) Fail("window");
    }
    return window;
}

TDisplayModeInfo SdlDisplay::Open(int mode, std::int32_t width, std::int32_t height) {
    Close();
    TDisplayModeInfo info{width, height, PixelFormatRGB565()};
    if (mode != 0) info.Format = DesktopMode().Format;
    window_ = CreateScreenWindow(mode, info);
    try {
        // Where OpenGL could only be drawn by the processor, no accelerated
        // renderer is even tried: loading one costs more memory than the game.
        presenter_ = MayRenderInHardware(window_)
                         ? MakeSdlPresenter(window_, info.Format, info.Width, info.Height)
                         : MakeWindowSurfacePresenter(window_, info.Width, info.Height);
    } catch (...) {
        Close();
        throw;
    }
    presenter_->SetPreferSmooth(smooth_);
    pads_->OpenAttached();
    pads_->SetNameEntry(false);
    // After the presenter: an OpenGL renderer makes the X window anew.
    NameXWindow(window_);
    SDL_StartTextInput();
    SDL_RaiseWindow(window_);
    return info;
}

void SdlDisplay::Close() {
    presenter_.reset();
    if (window_) SDL_DestroyWindow(window_);
    window_ = nullptr;
}

void SdlDisplay::Present(const TSurface& surface) {
    if (presenter_) presenter_->Present(surface);
}

void SdlDisplay::SetCursorVisible(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SdlDisplay::WindowToPicture(std::int32_t& x, std::int32_t& y) const {
    if (!presenter_ || !window_ || presenter_->OutputWidth() <= 0) return;
    // Window units become output pixels where the desktop scales windows.
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    std::int32_t ox = x, oy = y;
    if (w > 0 && h > 0) {
        ox = static_cast<std::int32_t>(static_cast<std::int64_t>(x) * presenter_->OutputWidth() / w);
        oy = static_cast<std::int32_t>(static_cast<std::int64_t>(y) * presenter_->OutputHeight() / h);
    }
    OutputToPicture(presenter_->Fit(), presenter_->FrameWidth(), presenter_->FrameHeight(), ox, oy, x, y);
}

void SdlDisplay::CursorPos(std::int32_t& x, std::int32_t& y) {
    int mx = 0, my = 0;
    SDL_GetMouseState(&mx, &my);
    WindowToPicture(mx, my);
    if (presenter_) pads_->StepCursor(mx, my, presenter_->FrameWidth(), presenter_->FrameHeight());
    ClientOrigin(x, y);
    x += mx;
    y += my;
}

void SdlDisplay::ClientOrigin(std::int32_t& x, std::int32_t& y) {
    x = y = 0;
    if (window_ && !(SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN))
        SDL_GetWindowPosition(window_, &x, &y);
}

void SdlDisplay::HandleEvent(const SDL_Event& event, std::vector<InputEvent>& out) {
    if (event.type == wakeEvent_) {
        wakePending_ = false;
        return;
    }
    if (event.type == SDL_RENDER_TARGETS_RESET || event.type == SDL_RENDER_DEVICE_RESET) {
        contentsLost_ = true;
        return;
    }
    if (event.type == SDL_WINDOWEVENT && presenter_ &&
        (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED))
        presenter_->Repaint();
    if (pads_->Handle(event, out)) return;
    if (event.type == SDL_MOUSEMOTION) pads_->MouseMoved();
    for (InputEvent e : TranslateSdlEvent(event)) {
        if (e.Kind == InputKind::MouseDown || e.Kind == InputKind::MouseUp || e.Kind == InputKind::MouseMove)
            WindowToPicture(e.X, e.Y);
        out.push_back(e);
    }
}

void SdlDisplay::WaitEvents(std::vector<InputEvent>& out, std::uint32_t timeoutMs) {
    SDL_Event event;
    if (!SDL_WaitEventTimeout(&event, static_cast<int>(timeoutMs))) return;
    HandleEvent(event, out);
    while (SDL_PollEvent(&event)) HandleEvent(event, out);
}

void SdlDisplay::Wake() {
    // One wake event in the queue is enough.
    if (wakePending_.exchange(true)) return;
    SDL_Event event{};
    event.type = wakeEvent_;
    SDL_PushEvent(&event);
}

bool SdlDisplay::TakeContentsLost() {
    const bool lost = contentsLost_;
    contentsLost_ = false;
    return lost;
}

void SdlDisplay::SetNameEntry(bool active) {
    pads_->SetNameEntry(active);
}

void SdlDisplay::Beep() {
    std::fputc('\a', stderr);
    std::fflush(stderr);
}
