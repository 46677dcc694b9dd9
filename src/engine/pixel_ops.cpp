// Colour conversion, fill, colour replacement and the clipped blits.
#include "engine/pixel_ops.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "engine/blend.h"
#include "engine/dd_errors.h"
#include "engine/pixel_access.h"
#include "engine/screen.h"
#include "infra/log.h"

namespace {

TSurface& Deref(const TSurfaceRef& surface) {
    if (!surface) throw std::runtime_error("Surface nicht vorhanden");
    return *surface;
}

// Cut of a destination span [pos, pos + size - 1] by the inclusive limits.
struct TClip {
    std::int32_t low = 0;   // pixels cut before the limit
    std::int32_t high = 0;  // pixels cut after the limit
};

TClip ClipSpan(std::int32_t pos, std::int32_t size, std::int32_t minPos, std::int32_t maxPos) {
    TClip c;
    if (pos < minPos) c.low = minPos - pos;
    const std::int32_t over = pos + size - 1 - maxPos;
    if (over > 0) c.high = over;
    return c;
}

bool SpanVisible(const TClip& c, std::int32_t pos, std::int32_t size, std::int32_t maxPos) {
    return c.low < size && maxPos >= pos;
}

// Source pixels cut for k destination pixels at the ratio dest/source,
// rounded to nearest with halves to even (the default rounding mode).
std::int32_t SourceCut(std::int32_t k, double ratio) {
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(k) / ratio));
}

}  // namespace

std::uint32_t RGBToPixelFormat(const TPixelFormat& f, std::uint32_t colour) {
    const std::uint32_t r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
    return (f.dwRBitMask & ((f.dwRBitMask * (r + 1)) >> 8)) |
           (f.dwGBitMask & ((f.dwGBitMask * (g + 1)) >> 8)) |
           (f.dwBBitMask & ((f.dwBBitMask * (b + 1)) >> 8));
}

std::uint32_t RGBToPixel(const TSurface& surface, std::uint32_t colour) {
    TPixelFormat format;
    DDCheck(surface.GetPixelFormat(format));
    if (!(format.dwFlags & DDPF_RGB)) throw std::runtime_error("Not on RGB format");
    return RGBToPixelFormat(format, colour);
}

void Colorfill(const TSurfaceRef& surface, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, std::uint32_t colour) {
    try {
        TDDBltFx fx;
        fx.dwFillColor = RGBToPixel(Deref(surface), colour);
        const TRect r = Bounds(x, y, width, height);
        BltOffset(surface, &r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    } catch (const std::exception& e) {
        WriteLog(std::string("Error in Colorfill: ") + e.what() + " (" + std::to_string(x) + "," +
                 std::to_string(y) + "," + std::to_string(width) + "," + std::to_string(height) + "," +
                 std::to_string(colour) + ")");
        throw;
    }
}

void ReplaceColor(const TSurfaceRef& surface, std::uint32_t fromColour, std::uint32_t toColour) {
    TSurface& s = Deref(surface);
    std::uint32_t from = RGBToPixel(s, fromColour);
    std::uint32_t to = RGBToPixel(s, toColour);
    TSurfaceLock lock(s);
    DDCheck(lock.Result());
    const std::uint32_t bits = lock.Format().dwRGBBitCount;
    if (bits != 16 && bits != 24 && bits != 32) throw std::runtime_error("Invalid bit count");
    const std::uint32_t mask = lock.Format().ColourMask();
    const std::uint32_t bpp = bits / 8;
    from &= mask;
    to &= mask;
    for (std::uint32_t y = 0; y < lock.Height(); ++y) {
        std::uint8_t* p = lock.Bits() + static_cast<std::ptrdiff_t>(y) * lock.Pitch();
        for (std::uint32_t x = 0; x < lock.Width(); ++x, p += bpp) {
            const std::uint32_t v = ReadPixel(p, bpp);
            if ((v & mask) == from) WritePixel(p, bpp, (v & ~mask) | to);
        }
    }
}

void BltOffset(const TSurfaceRef& dest, const TRect* rect, const TSurfaceRef& source, const TRect* sourceRect,
               std::uint32_t flags, const TDDBltFx* blitEffects) {
    TSurface& d = Deref(dest);
    TRect shifted;
    const TRect* r = rect;
    if (IsSecondaryChainSurface(dest)) {
        shifted = rect ? TRect{rect->left + ScreenOffsetX, rect->top + ScreenOffsetY,
                               rect->right + ScreenOffsetX, rect->bottom + ScreenOffsetY}
                       : Bounds(ScreenOffsetX, ScreenOffsetY, ScreenWidth, ScreenHeight);
        r = &shifted;
    }
    DDCheckSurface(d.Blt(r, source.get(), sourceRect, flags, blitEffects));
}

void BlitClipped(const TSurfaceRef& source, std::int32_t sourceX, std::int32_t sourceY, std::int32_t width,
                 std::int32_t height, const TSurfaceRef& dest, std::int32_t destX, std::int32_t destY,
                 bool useColourKey, std::int32_t minX, std::int32_t minY, std::int32_t maxX,
                 std::int32_t maxY) {
    TSurface& d = Deref(dest);
    const bool chain = IsSecondaryChainSurface(dest);
    const std::int32_t offX = chain ? ScreenOffsetX : 0, offY = chain ? ScreenOffsetY : 0;
    const TClip cx = ClipSpan(destX, width, minX, maxX);
    const TClip cy = ClipSpan(destY, height, minY, maxY);
    if (!SpanVisible(cy, destY, height, maxY) || !SpanVisible(cx, destX, width, maxX)) return;
    const std::int32_t w = width - cx.low - cx.high, h = height - cy.low - cy.high;
    const TRect from = Bounds(sourceX + cx.low, sourceY + cy.low, w, h);
    const TRect to = Bounds(destX + offX + cx.low, destY + offY + cy.low, w, h);
    TDDBltFx fx;
    DDCheckSurface(d.Blt(&to, &Deref(source), &from, DDBLT_WAIT | (useColourKey ? DDBLT_KEYSRC : 0), &fx));
}

void StretchBlitClipped(const TSurfaceRef& source, const TAlphaMask* alphaMask, std::int32_t sourceX,
                        std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight,
                        const TSurfaceRef& dest, std::int32_t destX, std::int32_t destY,
                        std::int32_t destWidth, std::int32_t destHeight, bool useColourKey,
                        std::uint8_t alpha, std::int32_t minX, std::int32_t minY, std::int32_t maxX,
                        std::int32_t maxY) {
    if (sourceWidth == 0 || sourceHeight == 0) return;
    const TClip cx = ClipSpan(destX, destWidth, minX, maxX);
    const TClip cy = ClipSpan(destY, destHeight, minY, maxY);
    if (!SpanVisible(cy, destY, destHeight, maxY) || !SpanVisible(cx, destX, destWidth, maxX)) return;
    TClip sx, sy;
    if (cx.low != 0 || cx.high != 0) {
        const double ratio = static_cast<double>(destWidth) / sourceWidth;
        sx = TClip{SourceCut(cx.low, ratio), SourceCut(cx.high, ratio)};
    }
    if (cy.low != 0 || cy.high != 0) {
        const double ratio = static_cast<double>(destHeight) / sourceHeight;
        sy = TClip{SourceCut(cy.low, ratio), SourceCut(cy.high, ratio)};
    }
    if (sy.low + sy.high >= sourceHeight || sx.low + sx.high >= sourceWidth) return;
    const TRect from = Bounds(sourceX + sx.low, sourceY + sy.low, sourceWidth - sx.low - sx.high,
                              sourceHeight - sy.low - sy.high);
    const TRect to = Bounds(destX + ScreenOffsetX + cx.low, destY + ScreenOffsetY + cy.low,
                            destWidth - cx.low - cx.high, destHeight - cy.low - cy.high);
    TSurface& d = Deref(dest);
    TSurface& s = Deref(source);
    // The blends write their result straight into the destination, which
    // is what copying it there from the blend surface would give, less a
    // pass over the pixels; the blend surface is still checked and locked.
    if (Transparency && alpha != 255) {
        AlphaBlendStretch(d, s, Deref(BlendSurface), to, from, alpha, useColourKey, TBlendOutput::backRect);
    } else if (AlphaMasks && alphaMask) {
        MaskBlendStretch(d, s, Deref(BlendSurface), to, from, *alphaMask, useColourKey,
                         TBlendOutput::backRect);
    } else {
        TDDBltFx fx;
        DDCheckSurface(d.Blt(&to, &s, &from, DDBLT_WAIT | (useColourKey ? DDBLT_KEYSRC : 0), &fx));
    }
}
