// The surface canvas: rectangles, text through the rasteriser, and copies
// between canvases, all on the memory of the surface's drawing context.
#include "engine/dd_canvas.h"

#include <algorithm>
#include <stdexcept>

#include "engine/dd_errors.h"
#include "engine/pixel_access.h"
#include "engine/pixel_ops.h"
#include "engine/screen.h"

namespace {

IFontRasterizer& Rasterizer() {
    IFontRasterizer* r = DirectDraw ? DirectDraw->Fonts() : nullptr;
    if (!r) throw std::runtime_error("Keine Schriftausgabe vorhanden");
    return *r;
}

}  // namespace

TDDCanvas::TDDCanvas(TSurfaceRef surface) : surface_(std::move(surface)) {
    if (!surface_) throw std::runtime_error("Cannot create canvas for NIL surface");
}

TDDCanvas::~TDDCanvas() {
    ReleaseHandle();
}

void TDDCanvas::CreateHandle() {
    if (dcHeld_) return;
    DDCheckSurface(surface_->GetDC(dc_));
    dcHeld_ = true;
}

void TDDCanvas::ReleaseHandle() {
    if (!dcHeld_) return;
    dcHeld_ = false;
    surface_->ReleaseDC();
}

TRect TDDCanvas::ClipRect() const {
    return TRect{0, 0, static_cast<std::int32_t>(surface_->Width()),
                 static_cast<std::int32_t>(surface_->Height())};
}

std::uint32_t TDDCanvas::PixelOf(TColor colour) const {
    const TPixelFormat& f = surface_->PixelFormat();
    if (!(f.dwFlags & DDPF_RGB)) throw std::runtime_error("Not on RGB format");
    const std::uint32_t rgb = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
    return RGBToPixelFormat(f, rgb);
}

void TDDCanvas::FillRect(const TRect& rect) {
    if (Brush.style == TBrushStyle::bsClear) return;
    CreateHandle();
    const TRect c = ClipRect();
    const TRect r{std::max(rect.left, c.left), std::max(rect.top, c.top), std::min(rect.right, c.right),
                  std::min(rect.bottom, c.bottom)};
    if (r.left >= r.right || r.top >= r.bottom) return;
    const std::uint32_t bpp = dc_.ddpfPixelFormat.BytesPerPixel();
    const std::uint32_t value = PixelOf(Brush.color);
    for (std::int32_t y = r.top; y < r.bottom; ++y)
        FillPixels(dc_.lpSurface + static_cast<std::ptrdiff_t>(y) * dc_.lPitch + std::ptrdiff_t{r.left} * bpp,
                   static_cast<std::uint32_t>(r.Width()), bpp, value);
}

TTextExtent TDDCanvas::TextExtent(std::string_view text) {
    return Rasterizer().TextExtent(Font, text);
}
std::int32_t TDDCanvas::TextWidth(std::string_view text) {
    return TextExtent(text).cx;
}
std::int32_t TDDCanvas::TextHeight(std::string_view text) {
    return TextExtent(text).cy;
}

void TDDCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
    CreateHandle();
    if (Brush.style == TBrushStyle::bsSolid) {
        const TTextExtent e = TextExtent(text);
        FillRect(Bounds(x, y, e.cx, e.cy));
    }
    const TTextMask m = Rasterizer().Render(Font, text);
    const std::uint32_t bpp = dc_.ddpfPixelFormat.BytesPerPixel();
    const std::uint32_t value = PixelOf(Font.color);
    const std::int32_t w = static_cast<std::int32_t>(dc_.dwWidth),
                       h = static_cast<std::int32_t>(dc_.dwHeight);
    for (std::int32_t my = 0; my < m.height; ++my) {
        const std::int32_t py = y + m.top + my;
        if (py < 0 || py >= h) continue;
        std::uint8_t* row = dc_.lpSurface + static_cast<std::ptrdiff_t>(py) * dc_.lPitch;
        for (std::int32_t mx = 0; mx < m.width; ++mx) {
            const std::int32_t px = x + m.left + mx;
            if (px >= 0 && px < w && m.bits[std::size_t(my) * m.width + mx])
                WritePixel(row + px * bpp, bpp, value);
        }
    }
}

void TDDCanvas::CopyRect(const TRect& dest, TDDCanvas& source, const TRect& sourceRect) {
    if (dest.Width() != sourceRect.Width() || dest.Height() != sourceRect.Height())
        throw std::runtime_error(
            "CopyRect: Gr\xF6\xDF"
            "en verschieden");
    if (!surface_->PixelFormat().SameLayout(source.surface_->PixelFormat()))
        throw std::runtime_error("CopyRect: Pixelformate verschieden");
    CreateHandle();
    source.CreateHandle();
    const std::uint32_t bpp = dc_.ddpfPixelFormat.BytesPerPixel();
    // Clip both rectangles to their surfaces by the same amounts.
    const TRect sc = source.ClipRect(), dc = ClipRect();
    const std::int32_t cutL = std::max({0, sc.left - sourceRect.left, dc.left - dest.left});
    const std::int32_t cutT = std::max({0, sc.top - sourceRect.top, dc.top - dest.top});
    const std::int32_t cutR = std::max({0, sourceRect.right - sc.right, dest.right - dc.right});
    const std::int32_t cutB = std::max({0, sourceRect.bottom - sc.bottom, dest.bottom - dc.bottom});
    const std::int32_t w = dest.Width() - cutL - cutR, h = dest.Height() - cutT - cutB;
    if (w <= 0 || h <= 0) return;
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* s = source.dc_.lpSurface +
                                static_cast<std::ptrdiff_t>(sourceRect.top + cutT + y) * source.dc_.lPitch +
                                std::ptrdiff_t{sourceRect.left + cutL} * bpp;
        std::uint8_t* d = dc_.lpSurface + static_cast<std::ptrdiff_t>(dest.top + cutT + y) * dc_.lPitch +
                          std::ptrdiff_t{dest.left + cutL} * bpp;
        std::memmove(d, s, std::size_t(w) * bpp);
    }
}
