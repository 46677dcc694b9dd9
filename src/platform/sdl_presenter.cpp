// The two ways a frame reaches the window: an accelerated SDL renderer, or the
// window's own pixels, each fitted into the window's real output size.
#include "sdl_presenter.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/picture_scaler.h"
#include "platform/sdl_display.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + ": " + SDL_GetError());
}

// An OpenGL renderer that the processor draws (Mesa's llvmpipe, as under Xvfb
// or on a machine without a graphics driver) costs more than drawing into the
// window's pixels directly.
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

SDL_Rect RectOf(const TPictureFit& fit) {
    return {fit.X, fit.Y, fit.Width, fit.Height};
}

class TRendererPresenter : public TSdlPresenter {
public:
    TRendererPresenter(SDL_Renderer* renderer, SDL_Texture* texture, std::int32_t frameW, std::int32_t frameH)
        : TSdlPresenter(frameW, frameH), renderer_(renderer), texture_(texture) {}
    ~TRendererPresenter() override {
        SDL_DestroyTexture(texture_);
        SDL_DestroyRenderer(renderer_);
    }

    void Present(const TSurface& frame) override {
        SDL_UpdateTexture(texture_, nullptr, frame.Pixels(), frame.Pitch());
        Draw();
    }
    void Repaint() override { Draw(); }
    const char* Kind() const override { return "renderer"; }

private:
    void Draw() {
        int w = 0, h = 0;
        if (SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) return;
        if (Refit(w, h))
            SDL_SetTextureScaleMode(texture_, fit_.Smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        const SDL_Rect dest = RectOf(fit_);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
        SDL_RenderPresent(renderer_);
    }

    SDL_Renderer* renderer_;
    SDL_Texture* texture_;
};

// Draws into the window's pixels (an X shared-memory image on X11) and sends
// only the picture's part each frame; the black bars go out when the output
// changed or the window was uncovered.
class TWindowSurfacePresenter : public TSdlPresenter {
public:
    TWindowSurfacePresenter(SDL_Window* window, std::int32_t frameW, std::int32_t frameH)
        : TSdlPresenter(frameW, frameH), window_(window) {}

    void Present(const TSurface& frame) override {
        SDL_Surface* out = SDL_GetWindowSurface(window_);
        if (!out) return;
        const bool whole = Refit(out->w, out->h) || out != shown_ || wholePending_;
        shown_ = out;
        wholePending_ = false;
        if (whole) SDL_FillRect(out, nullptr, 0);
        Draw(frame, out);
        const SDL_Rect rect = RectOf(fit_);
        if (whole)
            SDL_UpdateWindowSurface(window_);
        else
            SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
    }
    void Repaint() override {
        // The window's pixels still hold the last frame, unless the resize
        // replaced them: then the next frame sends everything.
        wholePending_ = true;
        if (shown_ && SDL_GetWindowSurface(window_) == shown_ && shown_->w == OutputWidth() &&
            shown_->h == OutputHeight())
            SDL_UpdateWindowSurface(window_);
    }
    const char* Kind() const override { return "window surface"; }

private:
    static bool IsXrgb(const SDL_Surface* s) {
        return s->format->format == SDL_PIXELFORMAT_RGB888 || s->format->format == SDL_PIXELFORMAT_ARGB8888;
    }

    void Draw(const TSurface& frame, SDL_Surface* out) {
        if (fit_.Width <= 0 || fit_.Height <= 0) return;
        SDL_Rect dest = RectOf(fit_);
        if (!IsXrgb(out) || !CanScaleToXrgb(frame.PixelFormat())) {
            DrawConverted(frame, out, dest);
            return;
        }
        if (SDL_LockSurface(out) != 0) return;
        std::uint8_t* at = static_cast<std::uint8_t*>(out->pixels) + dest.y * out->pitch + dest.x * 4;
        if (fit_.Factor >= 1)
            ScaleWholeToXrgb(frame, fit_.Factor, at, out->pitch);
        else  // a fraction: filtered by our own scaler
            scaler_.Scale(frame, fit_.Width, fit_.Height, at, out->pitch);
        SDL_UnlockSurface(out);
    }

    // Any other pair of formats: SDL converts and scales (nearest).
    static void DrawConverted(const TSurface& frame, SDL_Surface* out, SDL_Rect& dest) {
        const Uint32 format = SdlFormatOf(frame.PixelFormat());
        if (format == 0) return;
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<std::uint8_t*>(frame.Pixels()), static_cast<int>(frame.Width()),
            static_cast<int>(frame.Height()), SDL_BITSPERPIXEL(format), frame.Pitch(), format);
        if (!source) return;
        SDL_BlitScaled(source, nullptr, out, &dest);
        SDL_FreeSurface(source);
    }

    SDL_Window* window_;
    SDL_Surface* shown_ = nullptr;
    TLinearScaler scaler_;
    bool wholePending_ = true;
};

}  // namespace

bool TSdlPresenter::Refit(std::int32_t outputW, std::int32_t outputH) {
    if (outputW == outputW_ && outputH == outputH_) return false;
    outputW_ = outputW;
    outputH_ = outputH;
    fit_ = FitPicture(frameW_, frameH_, outputW, outputH, preferSmooth_);
    return true;
}

std::unique_ptr<TSdlPresenter> MakeWindowSurfacePresenter(SDL_Window* window, std::int32_t frameW,
                                                          std::int32_t frameH) {
    // The window's pixels must be a plain image of the window system's, not
    // a texture of a hidden renderer.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!SDL_GetWindowSurface(window)) Fail("window surface");
    return std::make_unique<TWindowSurfacePresenter>(window, frameW, frameH);
}

std::unique_ptr<TSdlPresenter> MakeSdlPresenter(SDL_Window* window, const TPixelFormat& frameFormat,
                                                std::int32_t frameW, std::int32_t frameH) {
    SDL_Renderer* renderer =
        SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (renderer && IsSoftwareOpenGl(renderer)) {
        SDL_DestroyRenderer(renderer);
        try {
            return MakeWindowSurfacePresenter(window, frameW, frameH);
        } catch (const std::runtime_error&) {
            // Wayland gives a window no pixels of its own: software OpenGL then.
            renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
            if (!renderer) throw;
        }
    }
    if (renderer) {
        SDL_Texture* texture = SDL_CreateTexture(renderer, SdlFormatOf(frameFormat),
                                                 SDL_TEXTUREACCESS_STREAMING, frameW, frameH);
        if (texture) return std::make_unique<TRendererPresenter>(renderer, texture, frameW, frameH);
        SDL_DestroyRenderer(renderer);
    }
    return MakeWindowSurfacePresenter(window, frameW, frameH);
}
