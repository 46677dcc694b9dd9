// Helpers of the surface tests: surfaces of a format, pixel access, a fake
// rasteriser with fixed metrics and a bitmap file builder.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/font_rasterizer.h"
#include "engine/pixel_access.h"
#include "engine/screen.h"
#include "engine/surface.h"

inline TSurfaceRef MakeSurface(std::uint32_t w, std::uint32_t h,
                               const TPixelFormat& f = PixelFormatRGB565()) {
    return std::make_shared<TSurface>(w, h, f, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
}

inline std::uint32_t GetPx(TSurface& s, std::int32_t x, std::int32_t y) {
    const std::uint32_t bpp = s.PixelFormat().BytesPerPixel();
    return ReadPixel(s.Pixels() + static_cast<std::ptrdiff_t>(y) * s.Pitch() + x * bpp, bpp);
}

inline void SetPx(TSurface& s, std::int32_t x, std::int32_t y, std::uint32_t v) {
    const std::uint32_t bpp = s.PixelFormat().BytesPerPixel();
    WritePixel(s.Pixels() + static_cast<std::ptrdiff_t>(y) * s.Pitch() + x * bpp, bpp, v);
}

inline void FillAll(TSurface& s, std::uint32_t v) {
    for (std::uint32_t y = 0; y < s.Height(); ++y)
        for (std::uint32_t x = 0; x < s.Width(); ++x) SetPx(s, x, y, v);
}

// Each pixel gets a value from its position, so misplaced copies show.
inline void FillPattern(TSurface& s, std::uint32_t salt = 0) {
    for (std::uint32_t y = 0; y < s.Height(); ++y)
        for (std::uint32_t x = 0; x < s.Width(); ++x) SetPx(s, x, y, ((x * 7 + y * 131 + salt) % 0xFFFE) + 1);
}

// A screen of window mode: two 800 x 600 system-memory surfaces plus the
// back image and blend surface, in the given format; the DirectDraw object
// draws text with the fonts and finds pictures in the resources.
inline void MakeScreen(const TPixelFormat& f = PixelFormatRGB565(), IFontRasterizer* fonts = nullptr,
                       const IResources& resources = NoResources()) {
    ResetScreenGlobals();
    DirectDraw = std::make_shared<TDirectDraw>(f, fonts, resources);
    for (int i = 0; i < 2; ++i) {
        TSurfaceRef s;
        NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, s);
        ScreenSurfaces.push_back(s);
    }
    NewSurface(DirectDraw, 800, 600, 0, BackImageSurface);
    NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, BlendSurface);
    AlphaMasks = true;
}

// Every character is a cell of size x 2*size pixels, fully inked, so text
// shows up as a solid block whose size is known.
class FakeRasterizer : public IFontRasterizer {
public:
    TTextExtent TextExtent(const TFontSpec& font, std::string_view text) override {
        measured.push_back(font);
        return {static_cast<std::int32_t>(text.size()) * font.size, 2 * font.size};
    }
    TTextMask Render(const TFontSpec& font, std::string_view text) override {
        const TTextExtent e{static_cast<std::int32_t>(text.size()) * font.size, 2 * font.size};
        rendered.push_back(font);
        return TTextMask{0, 0, e.cx, e.cy, std::vector<std::uint8_t>(std::size_t(e.cx) * e.cy, 1)};
    }
    std::vector<TFontSpec> measured;
    std::vector<TFontSpec> rendered;
};

// A bitmap file of the given depth; pixels are 0x00RRGGBB (24/32 bit) or
// palette indices (8 bit), rows top-down in the argument.
std::string BuildBmp(std::int32_t w, std::int32_t h, std::uint16_t bpp,
                     const std::vector<std::uint32_t>& pixels, bool topDown = false,
                     std::uint32_t paletteColours = 256);

// The log's text as written so far (the folder's spelling may differ).
std::string ReadLogText();
