// Shows the game screen's finished frames in an SDL window, fitted into the
// window's real output: through an accelerated SDL renderer where the machine
// has one, otherwise by drawing straight into the window's own pixels.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>

#include "engine/surface.h"
#include "platform/picture_fit.h"

class TSdlPresenter {
public:
    virtual ~TSdlPresenter() = default;

    // Shows the frame, fitted into the output as it is now.
    virtual void Present(const TSurface& frame) = 0;
    // Shows the last frame again: after the window was uncovered or resized.
    virtual void Repaint() = 0;
    // "renderer" for an SDL renderer, "window surface" for the window's pixels.
    virtual const char* Kind() const = 0;

    // The fit of the last present, and the output it was made for.
    const TPictureFit& Fit() const { return fit_; }
    std::int32_t OutputWidth() const { return outputW_; }
    std::int32_t OutputHeight() const { return outputH_; }
    // The size of the frames shown.
    std::int32_t FrameWidth() const { return frameW_; }
    std::int32_t FrameHeight() const { return frameH_; }
    void SetPreferSmooth(bool smooth) {
        preferSmooth_ = smooth;
        outputW_ = outputH_ = 0;  // fitted anew at the next present
    }

protected:
    TSdlPresenter(std::int32_t frameW, std::int32_t frameH) : frameW_(frameW), frameH_(frameH) {}
    // Fits the frame anew when the output's size changed; true when it did.
    bool Refit(std::int32_t outputW, std::int32_t outputH);

    TPictureFit fit_;

private:
    std::int32_t frameW_, frameH_;
    std::int32_t outputW_ = 0, outputH_ = 0;
    bool preferSmooth_ = false;
};

// An accelerated renderer that the graphics hardware draws when there is one
// (SDL's renderers on a processor-drawn OpenGL cost more than drawing into the
// window's pixels directly); otherwise the window's own pixels. Raises
// std::runtime_error when neither works.
std::unique_ptr<TSdlPresenter> MakeSdlPresenter(SDL_Window* window, const TPixelFormat& frameFormat,
                                                std::int32_t frameW, std::int32_t frameH);
// The window-pixels presenter alone (the benchmark compares it).
std::unique_ptr<TSdlPresenter> MakeWindowSurfacePresenter(SDL_Window* window, std::int32_t frameW,
                                                          std::int32_t frameH);
