// SDL2 display: window, renderer, streaming texture, events.
#include "sdl_display.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "rgb565_expand.h"
#include "sdl_input.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + ": " + SDL_GetError());
}

// An OpenGL renderer that the processor draws (Mesa's llvmpipe, as under Xvfb
// or on a machine without a graphics driver) costs more than SDL's own
// software renderer, which copies the frame straight into the window.
bool IsSoftwareOpenGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned int);
    const auto glGetString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!glGetString) return false;
    const auto* name = reinterpret_cast<const char*>(glGetString(0x1F01));  // GL_RENDERER
    return name && (std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") ||
                    std::strstr(name, "Software Rasterizer"));
}

// True when the screen the window is on runs at width x height.
bool ScreenHasSize(SDL_Window* window, std::int32_t width, std::int32_t height) {
    SDL_DisplayMode mode{};
    const int index = SDL_GetWindowDisplayIndex(window);
    return index >= 0 && SDL_GetCurrentDisplayMode(index, &mode) == 0 && mode.w == width && mode.h == height;
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
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) Fail("SDL video");
    wakeEvent_ = SDL_RegisterEvents(1);
}

SdlDisplay::~SdlDisplay() {
    Close();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

TDisplayModeInfo SdlDisplay::DesktopMode() {
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) Fail("desktop mode");
    return {mode.w, mode.h, FormatOfSdl(mode.format)};
}

TDisplayModeInfo SdlDisplay::Open(int mode, std::int32_t width, std::int32_t height) {
    Close();
    TDisplayModeInfo info{width, height, PixelFormatRGB565()};
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (mode == 0) {
        flags |= SDL_WINDOW_FULLSCREEN;
    } else {
        const TDisplayModeInfo desktop = DesktopMode();
        info.Format = desktop.Format;
        if (mode == 1) {
            flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
            info.Width = desktop.Width;
            info.Height = desktop.Height;
        }
    }
    window_ = SDL_CreateWindow("Vantorel!", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, info.Width,
                               info.Height, flags);
    if (!window_) Fail("window");
    if (mode == 0 && !ScreenHasSize(window_, info.Width, info.Height)) {
        // The resolution could not be changed (a desktop that refuses mode
        // switches, or a virtual screen): fill the desktop instead and let
        // the renderer scale the game up with black bars.
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (renderer_ && IsSoftwareOpenGl(renderer_)) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
    }
    if (!renderer_) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!renderer_) Fail("renderer");
    SDL_RenderSetLogicalSize(renderer_, info.Width, info.Height);
    SDL_RendererInfo rendererInfo{};
    SDL_GetRendererInfo(renderer_, &rendererInfo);
    widen565_ = (rendererInfo.flags & SDL_RENDERER_SOFTWARE) && info.Format.dwRGBBitCount == 16;
    const Uint32 textureFormat =
        widen565_ ? static_cast<Uint32>(SDL_PIXELFORMAT_RGB888) : SdlFormatOf(info.Format);
    texture_ =
        SDL_CreateTexture(renderer_, textureFormat, SDL_TEXTUREACCESS_STREAMING, info.Width, info.Height);
    if (!texture_) Fail("texture");
    SDL_StartTextInput();
    SDL_RaiseWindow(window_);
    return info;
}

void SdlDisplay::Close() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
}

void SdlDisplay::Present(const TSurface& surface) {
    if (!texture_) return;
    if (widen565_) {
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0) return;
        for (std::uint32_t y = 0; y < surface.Height(); ++y)
            ExpandRgb565Row(reinterpret_cast<const std::uint16_t*>(surface.Pixels() + y * surface.Pitch()),
                            reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(pixels) + y * pitch),
                            surface.Width());
        SDL_UnlockTexture(texture_);
    } else {
        SDL_UpdateTexture(texture_, nullptr, surface.Pixels(), surface.Pitch());
    }
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

void SdlDisplay::SetCursorVisible(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SdlDisplay::CursorPos(std::int32_t& x, std::int32_t& y) {
    int mx = 0, my = 0;
    SDL_GetMouseState(&mx, &my);
    if (renderer_) {
        // Window pixels to game pixels, where the renderer scales the game.
        float lx = 0, ly = 0;
        SDL_RenderWindowToLogical(renderer_, mx, my, &lx, &ly);
        mx = static_cast<int>(std::lround(lx));
        my = static_cast<int>(std::lround(ly));
    }
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
    for (const InputEvent& e : TranslateSdlEvent(event)) out.push_back(e);
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

void SdlDisplay::Beep() {
    std::fputc('\a', stderr);
    std::fflush(stderr);
}
