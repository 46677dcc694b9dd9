// The plain pixel loops behind Blt: row fill and the stretching copy.
#include "engine/pixel_access.h"

void FillPixels(std::uint8_t* p, std::uint32_t count, std::uint32_t bpp, std::uint32_t value) {
    if (bpp == 2) {
        const auto v = static_cast<std::uint16_t>(value);
        for (std::uint32_t i = 0; i < count; ++i) std::memcpy(p + 2 * i, &v, 2);
        return;
    }
    if (bpp == 4) {
        for (std::uint32_t i = 0; i < count; ++i) std::memcpy(p + 4 * i, &value, 4);
        return;
    }
    for (std::uint32_t i = 0; i < count; ++i) WritePixel(p + bpp * i, bpp, value);
}

void StretchCopy(const TPixelRect& dst, const TPixelRect& src, std::uint32_t bpp, bool keyed,
                 const TDDColorKey& key) {
    const std::int32_t dw = dst.rect.Width(), dh = dst.rect.Height();
    const std::int32_t sw = src.rect.Width(), sh = src.rect.Height();
    const std::uint32_t stepX = (static_cast<std::uint32_t>(sw) << 16) / static_cast<std::uint32_t>(dw);
    const std::uint32_t stepY = (static_cast<std::uint32_t>(sh) << 16) / static_cast<std::uint32_t>(dh);
    const bool sameSize = sw == dw && sh == dh;
    std::uint32_t fy = 0;
    for (std::int32_t y = 0; y < dh; ++y) {
        const std::uint8_t* s = src.Row(static_cast<std::int32_t>(fy >> 16));
        std::uint8_t* d = dst.Row(y);
        if (sameSize && !keyed) {
            std::memcpy(d, s, std::size_t(dw) * bpp);
        } else {
            std::uint32_t fx = 0;
            for (std::int32_t x = 0; x < dw; ++x, fx += stepX) {
                const std::uint32_t c = ReadPixel(s + (fx >> 16) * bpp, bpp);
                if (keyed && c >= key.dwColorSpaceLowValue && c <= key.dwColorSpaceHighValue) continue;
                WritePixel(d + std::size_t(x) * bpp, bpp, c);
            }
        }
        fy += stepY;
    }
}
