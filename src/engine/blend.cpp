// The blend preparation and the two blending loops. The arithmetic is fixed:
// masks shifted by 8 keep the three channel products apart, 16.16 stepping
// samples the front by nearest neighbour from its first row and column.
#include "engine/blend.h"

#include <stdexcept>

#include "engine/dd_errors.h"
#include "engine/pixel_access.h"

namespace {

bool RectInside(const TRect& r, const TSurfaceDesc& d) {
    return r.left >= 0 && r.top >= 0 && r.right <= static_cast<std::int32_t>(d.dwWidth) &&
           r.bottom <= static_cast<std::int32_t>(d.dwHeight) && r.left < r.right && r.top < r.bottom;
}

std::uint8_t* RectStart(const TSurfaceDesc& d, const TRect& r, std::uint32_t bpp) {
    return d.lpSurface + static_cast<std::ptrdiff_t>(r.top) * d.lPitch + static_cast<std::ptrdiff_t>(r.left) * bpp;
}

void CheckFormats(TSurface& back, TSurface& front, TSurface& out, TPixelFormat& format) {
    TPixelFormat f, o;
    DDCheckSurface(back.GetPixelFormat(format));
    DDCheckSurface(front.GetPixelFormat(f));
    DDCheckSurface(out.GetPixelFormat(o));
    if (!(format.dwFlags & DDPF_RGB)) throw std::runtime_error("Not on RGB format");
    const std::uint32_t bits = format.dwRGBBitCount;
    if (bits != 16 && bits != 24 && bits != 32) throw std::runtime_error("Invalid bit count");
    if (format.ColourMask() & 0xFF000000u) throw std::runtime_error("Pixel format not supported");
    auto same = [&](const TPixelFormat& x) {
        return x.dwRGBBitCount == bits && x.dwRBitMask == format.dwRBitMask &&
               x.dwGBitMask == format.dwGBitMask && x.dwBBitMask == format.dwBBitMask;
    };
    if (!same(f)) throw std::runtime_error("Back and front surface pixel formats don't match");
    if (!same(o)) throw std::runtime_error("Back and destination surface pixel formats don't match");
}

}  // namespace

TBlendLocks::TBlendLocks(TSurface& back, TSurface& front, TSurface& out, const TRect& backRect,
                         const TRect& frontRect) {
    CheckFormats(back, front, out, format);
    bytesPerPixel = format.BytesPerPixel();
    TSurfaceDesc d;
    DDCheckSurface(back.Lock(nullptr, d));
    back_.surface = &back;
    if (!RectInside(backRect, d)) throw std::runtime_error("Back rectangle outside surface boundaries");
    backStart = RectStart(d, backRect, bytesPerPixel);
    backSkip = d.lPitch - backRect.Width() * static_cast<std::int32_t>(bytesPerPixel);

    DDCheckSurface(front.Lock(nullptr, d));
    front_.surface = &front;
    if (!RectInside(frontRect, d)) throw std::runtime_error("Front rectangle outside surface boundaries");
    frontStart = RectStart(d, frontRect, bytesPerPixel);
    frontPitch = d.lPitch;
    frontWidth = d.dwWidth;
    TDDColorKey key;
    colourKey = front.GetColorKey(DDCKEY_SRCBLT, key) == DD_OK ? key.dwColorSpaceLowValue : 0;

    DDCheckSurface(out.Lock(nullptr, d));
    out_.surface = &out;
    if (static_cast<std::int32_t>(d.dwWidth) < backRect.Width() ||
        static_cast<std::int32_t>(d.dwHeight) < backRect.Height())
        throw std::runtime_error("Dest rectangle outside surface boundaries");
    outStart = d.lpSurface;
    outSkip = d.lPitch - backRect.Width() * static_cast<std::int32_t>(bytesPerPixel);
}

namespace {

// Walks the back rectangle row by row with the front row (and mask row)
// chosen by 16.16 stepping; pixel(c, d, maskByte) gives the output value.
template <std::uint32_t Bpp, typename PixelFn>
void BlendLoop(const TBlendLocks& L, const TRect& backRect, const TRect& frontRect, const std::uint8_t* maskRow,
               std::int32_t maskStride, PixelFn pixel) {
    const std::int32_t bw = backRect.Width(), bh = backRect.Height();
    const std::uint32_t stepX = (static_cast<std::uint32_t>(frontRect.Width()) << 16) / static_cast<std::uint32_t>(bw);
    const std::uint32_t stepY =
        (static_cast<std::uint32_t>(frontRect.Height()) << 16) / static_cast<std::uint32_t>(bh);
    const std::uint8_t* back = L.backStart;
    const std::uint8_t* frontRow = L.frontStart;
    std::uint8_t* out = L.outStart;
    std::uint32_t fy = 0;
    for (std::int32_t y = 0; y < bh; ++y) {
        std::uint32_t fx = 0;
        for (std::int32_t x = 0; x < bw; ++x, fx += stepX, back += Bpp, out += Bpp) {
            const std::uint32_t c = ReadPixel(frontRow + (fx >> 16) * Bpp, Bpp);
            const std::uint32_t d = ReadPixel(back, Bpp);
            WritePixel(out, Bpp, pixel(c, d, maskRow ? maskRow[fx >> 16] : 0));
        }
        fy += stepY;
        frontRow += static_cast<std::ptrdiff_t>(fy >> 16) * L.frontPitch;
        if (maskRow) maskRow += static_cast<std::ptrdiff_t>(fy >> 16) * maskStride;
        fy &= 0xFFFF;
        back += L.backSkip;
        out += L.outSkip;
    }
}

template <typename PixelFn>
void BlendByDepth(const TBlendLocks& L, const TRect& backRect, const TRect& frontRect, const std::uint8_t* maskRow,
                  std::int32_t maskStride, PixelFn pixel) {
    switch (L.bytesPerPixel) {
        case 2: BlendLoop<2>(L, backRect, frontRect, maskRow, maskStride, pixel); break;
        case 3: BlendLoop<3>(L, backRect, frontRect, maskRow, maskStride, pixel); break;
        default: BlendLoop<4>(L, backRect, frontRect, maskRow, maskStride, pixel); break;
    }
}

}  // namespace

void AlphaBlendStretch(TSurface& back, TSurface& front, TSurface& out, const TRect& backRect,
                       const TRect& frontRect, std::uint8_t alpha, bool keyed) {
    const TBlendLocks L(back, front, out, backRect, frontRect);
    const std::uint32_t R = L.format.dwRBitMask, G = L.format.dwGBitMask, B = L.format.dwBBitMask;
    const std::uint32_t mask = R | G | B, R8 = R << 8, G8 = G << 8, B8 = B << 8;
    const std::uint32_t a = alpha, na = 256 - a, key = L.colourKey;
    BlendByDepth(L, backRect, frontRect, nullptr, 0, [=](std::uint32_t c, std::uint32_t d, std::uint8_t) {
        if (keyed && (c & mask) == key) return d;
        return ((((d & R) * na + (c & R) * a) & R8) | (((d & G) * na + (c & G) * a) & G8) |
                (((d & B) * na + (c & B) * a) & B8)) >> 8;
    });
}

void MaskBlendStretch(TSurface& back, TSurface& front, TSurface& out, const TRect& backRect,
                      const TRect& frontRect, const TAlphaMask& alphaMask, bool keyed) {
    const TBlendLocks L(back, front, out, backRect, frontRect);
    // A mask that does not cover the whole sheet would be read past its end.
    const std::int32_t stride = static_cast<std::int32_t>((L.frontWidth + 3) & ~3u);
    if (alphaMask.size() < static_cast<std::size_t>(stride) * front.Height())
        throw std::runtime_error("Alpha mask doesn't match front surface");
    const std::uint32_t R = L.format.dwRBitMask, G = L.format.dwGBitMask, B = L.format.dwBBitMask;
    const std::uint32_t mask = R | G | B, R8 = R << 8, G8 = G << 8, B8 = B << 8;
    const std::uint32_t key = L.colourKey;
    const std::uint8_t* maskRow =
        alphaMask.data() + static_cast<std::ptrdiff_t>(frontRect.top) * stride + frontRect.left;
    BlendByDepth(L, backRect, frontRect, maskRow, stride, [=](std::uint32_t e, std::uint32_t d, std::uint8_t f) {
        if ((keyed && (e & mask) == key) || f == 0) return d;
        if (f == 255) return e;
        const std::uint32_t nf = 255u - f;
        return ((((d & R) * nf + (e & R) * f) & R8) | (((d & G) * nf + (e & G) * f) & G8) |
                (((d & B) * nf + (e & B) * f) & B8)) >> 8;
    });
}
