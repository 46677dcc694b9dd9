// The blend preparation and the two blending loops. The arithmetic is fixed:
// masks shifted by 8 keep the three channel products apart, 16.16 stepping
// samples the front by nearest neighbour from its first row and column.
#include "engine/blend.h"

#include <stdexcept>
#include <vector>

#include "engine/dd_errors.h"
#include "engine/pixel_access.h"
#include "engine/pixel_rows.h"

namespace {

bool RectInside(const TRect& r, const TSurfaceDesc& d) {
    return r.left >= 0 && r.top >= 0 && r.right <= static_cast<std::int32_t>(d.dwWidth) &&
           r.bottom <= static_cast<std::int32_t>(d.dwHeight) && r.left < r.right && r.top < r.bottom;
}

std::uint8_t* RectStart(const TSurfaceDesc& d, const TRect& r, std::uint32_t bpp) {
    return d.lpSurface + static_cast<std::ptrdiff_t>(r.top) * d.lPitch +
           static_cast<std::ptrdiff_t>(r.left) * bpp;
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
                         const TRect& frontRect, TBlendOutput output) {
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
    if (output == TBlendOutput::backRect) {
        outStart = backStart;
        outSkip = backSkip;
    }
}

namespace {

// The per-pixel rule: weights wd and wc per channel, masks shifted by 8 keep
// the three products apart, then divided by 256.
std::uint32_t BlendMix(std::uint32_t d, std::uint32_t c, std::uint32_t wd, std::uint32_t wc, std::uint32_t R,
                       std::uint32_t G, std::uint32_t B) {
    return ((((d & R) * wd + (c & R) * wc) & (R << 8)) | (((d & G) * wd + (c & G) * wc) & (G << 8)) |
            (((d & B) * wd + (c & B) * wc) & (B << 8))) >>
           8;
}

// Walks the back rectangle row by row with the front row (and mask row)
// chosen by 16.16 stepping from the first row. A stretched front row is
// gathered once into a buffer (and reused while the stepping stays on it), so
// the row function sees front, mask, back and output pixels side by side.
template <typename RowFn>
void ForEachBlendRow(const TBlendLocks& L, const TRect& backRect, const TRect& frontRect,
                     const std::uint8_t* maskRow, std::int32_t maskStride, RowFn row) {
    const std::int32_t bw = backRect.Width(), bh = backRect.Height();
    const std::uint32_t bpp = L.bytesPerPixel;
    const std::uint32_t stepX =
        (static_cast<std::uint32_t>(frontRect.Width()) << 16) / static_cast<std::uint32_t>(bw);
    const std::uint32_t stepY =
        (static_cast<std::uint32_t>(frontRect.Height()) << 16) / static_cast<std::uint32_t>(bh);
    const bool stretched = stepX != 0x10000;
    thread_local std::vector<std::uint32_t> xs;
    thread_local std::vector<std::uint8_t> frontBuf, maskBuf;
    if (stretched) {
        xs.resize(static_cast<std::size_t>(bw));
        StretchColumns(xs.data(), bw, stepX);
        frontBuf.resize(static_cast<std::size_t>(bw) * bpp);
        maskBuf.resize(static_cast<std::size_t>(bw));
    }
    const std::uint8_t* frontRow = L.frontStart;
    const std::uint8_t* gathered = nullptr;
    const std::uint8_t* back = L.backStart;
    std::uint8_t* out = L.outStart;
    const std::ptrdiff_t backPitch = std::ptrdiff_t{bw} * bpp + L.backSkip;
    const std::ptrdiff_t outPitch = std::ptrdiff_t{bw} * bpp + L.outSkip;
    std::uint32_t fy = 0;
    for (std::int32_t y = 0; y < bh; ++y, back += backPitch, out += outPitch) {
        const std::uint8_t* f = frontRow;
        const std::uint8_t* m = maskRow;
        if (stretched) {
            if (gathered != frontRow) {
                GatherStretchedRow(frontBuf.data(), frontRow, xs.data(), bw, bpp, frontRect.Width());
                if (maskRow) GatherRow<1>(maskBuf.data(), maskRow, xs.data(), bw);
                gathered = frontRow;
            }
            f = frontBuf.data();
            m = maskRow ? maskBuf.data() : nullptr;
        }
        row(out, back, f, m, bw);
        fy += stepY;
        frontRow += static_cast<std::ptrdiff_t>(fy >> 16) * L.frontPitch;
        if (maskRow) maskRow += static_cast<std::ptrdiff_t>(fy >> 16) * maskStride;
        fy &= 0xFFFF;
    }
}

bool Is565(const TPixelFormat& f) {
    return f.dwRGBBitCount == 16 && f.dwRBitMask == 0xF800 && f.dwGBitMask == 0x07E0 &&
           f.dwBBitMask == 0x001F;
}
bool IsX888(const TPixelFormat& f) {
    return f.dwRGBBitCount == 32 && f.dwRBitMask == 0xFF0000 && f.dwGBitMask == 0xFF00 &&
           f.dwBBitMask == 0xFF;
}

}  // namespace

void AlphaBlendStretch(TSurface& back, TSurface& front, TSurface& out, const TRect& backRect,
                       const TRect& frontRect, std::uint8_t alpha, bool keyed, TBlendOutput output) {
    const TBlendLocks L(back, front, out, backRect, frontRect, output);
    const std::uint32_t R = L.format.dwRBitMask, G = L.format.dwGBitMask, B = L.format.dwBBitMask;
    const std::uint32_t mask = R | G | B, key = L.colourKey, a = alpha;
    // A key with bits outside the colour masks never matches a masked pixel.
    const bool keyCanMatch = keyed && (key & ~mask) == 0;
    if (Is565(L.format)) {
        ForEachBlendRow(L, backRect, frontRect, nullptr, 0,
                        [&](auto o, auto b, auto f, auto, std::int32_t n) {
                            AlphaRow565(o, b, f, n, a, keyCanMatch, static_cast<std::uint16_t>(key));
                        });
    } else if (IsX888(L.format)) {
        ForEachBlendRow(L, backRect, frontRect, nullptr, 0,
                        [&](auto o, auto b, auto f, auto, std::int32_t n) {
                            AlphaRow8888(o, b, f, n, a, keyCanMatch, key);
                        });
    } else {
        const std::uint32_t bpp = L.bytesPerPixel;
        ForEachBlendRow(
            L, backRect, frontRect, nullptr, 0, [&](auto o, auto b, auto f, auto, std::int32_t n) {
                for (std::int32_t x = 0; x < n; ++x) {
                    const std::uint32_t c = ReadPixel(f + x * bpp, bpp), d = ReadPixel(b + x * bpp, bpp);
                    WritePixel(o + x * bpp, bpp,
                               keyCanMatch && (c & mask) == key ? d : BlendMix(d, c, 256 - a, a, R, G, B));
                }
            });
    }
}

void MaskBlendStretch(TSurface& back, TSurface& front, TSurface& out, const TRect& backRect,
                      const TRect& frontRect, const TAlphaMask& alphaMask, bool keyed, TBlendOutput output) {
    const TBlendLocks L(back, front, out, backRect, frontRect, output);
    // A mask that does not cover the whole sheet would be read past its end.
    const std::int32_t stride = static_cast<std::int32_t>((L.frontWidth + 3) & ~3u);
    if (alphaMask.size() < static_cast<std::size_t>(stride) * front.Height())
        throw std::runtime_error("Alpha mask doesn't match front surface");
    const std::uint32_t R = L.format.dwRBitMask, G = L.format.dwGBitMask, B = L.format.dwBBitMask;
    const std::uint32_t mask = R | G | B, key = L.colourKey;
    const bool keyCanMatch = keyed && (key & ~mask) == 0;
    const std::uint8_t* maskStart =
        alphaMask.data() + static_cast<std::ptrdiff_t>(frontRect.top) * stride + frontRect.left;
    if (Is565(L.format)) {
        ForEachBlendRow(L, backRect, frontRect, maskStart, stride,
                        [&](auto o, auto b, auto e, auto m, std::int32_t n) {
                            MaskRow565(o, b, e, m, n, keyCanMatch, static_cast<std::uint16_t>(key));
                        });
    } else if (IsX888(L.format)) {
        ForEachBlendRow(L, backRect, frontRect, maskStart, stride,
                        [&](auto o, auto b, auto e, auto m, std::int32_t n) {
                            MaskRow8888(o, b, e, m, n, keyCanMatch, key);
                        });
    } else {
        const std::uint32_t bpp = L.bytesPerPixel;
        ForEachBlendRow(L, backRect, frontRect, maskStart, stride,
                        [&](auto o, auto b, auto e, auto m, std::int32_t n) {
                            for (std::int32_t x = 0; x < n; ++x) {
                                const std::uint32_t c = ReadPixel(e + x * bpp, bpp),
                                                    d = ReadPixel(b + x * bpp, bpp), f = m[x];
                                std::uint32_t r = d;
                                if (!(keyCanMatch && (c & mask) == key) && f != 0)
                                    r = f == 255 ? c : BlendMix(d, c, 255 - f, f, R, G, B);
                                WritePixel(o + x * bpp, bpp, r);
                            }
                        });
    }
}
