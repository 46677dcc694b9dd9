// The pixel loops behind Blt: row fill and the stretching copy. Rows are
// handled whole: a stretched source row is gathered once through a column
// table (and reused while vertical stepping stays on it), and a keyed row is
// merged eight or four pixels at a time.
#include "engine/pixel_access.h"

#include <vector>

#include "engine/pixel_rows.h"

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

namespace {

// How a keyed row is merged: by whole-word comparison where the key is one
// value of the pixel's size, else pixel by pixel against the key's range.
enum class TKeyedMerge { none, word16, word32, range };

TKeyedMerge MergeKind(bool keyed, std::uint32_t bpp, const TDDColorKey& key) {
    if (!keyed) return TKeyedMerge::none;
    const std::uint64_t maxValue = (std::uint64_t{1} << (8 * bpp)) - 1;
    if (key.dwColorSpaceLowValue > maxValue || key.dwColorSpaceLowValue > key.dwColorSpaceHighValue)
        return TKeyedMerge::none;  // no pixel value lies in the key's range
    if (key.dwColorSpaceLowValue == key.dwColorSpaceHighValue && bpp == 2) return TKeyedMerge::word16;
    if (key.dwColorSpaceLowValue == key.dwColorSpaceHighValue && bpp == 4) return TKeyedMerge::word32;
    return TKeyedMerge::range;
}

void MergeRow(std::uint8_t* d, const std::uint8_t* s, std::int32_t n, std::uint32_t bpp, TKeyedMerge kind,
              const TDDColorKey& key) {
    switch (kind) {
        case TKeyedMerge::none:
            std::memcpy(d, s, std::size_t(n) * bpp);
            break;
        case TKeyedMerge::word16:
            CopyKeyed16(d, s, n, static_cast<std::uint16_t>(key.dwColorSpaceLowValue));
            break;
        case TKeyedMerge::word32:
            CopyKeyed32(d, s, n, key.dwColorSpaceLowValue);
            break;
        case TKeyedMerge::range:
            for (std::int32_t x = 0; x < n; ++x) {
                const std::uint32_t c = ReadPixel(s + x * bpp, bpp);
                if (c < key.dwColorSpaceLowValue || c > key.dwColorSpaceHighValue)
                    WritePixel(d + x * bpp, bpp, c);
            }
            break;
    }
}

}  // namespace

void StretchCopy(const TPixelRect& dst, const TPixelRect& src, std::uint32_t bpp, bool keyed,
                 const TDDColorKey& key) {
    const std::int32_t dw = dst.rect.Width(), dh = dst.rect.Height();
    const std::int32_t sw = src.rect.Width(), sh = src.rect.Height();
    const std::uint32_t stepX = (static_cast<std::uint32_t>(sw) << 16) / static_cast<std::uint32_t>(dw);
    const std::uint32_t stepY = (static_cast<std::uint32_t>(sh) << 16) / static_cast<std::uint32_t>(dh);
    const TKeyedMerge kind = MergeKind(keyed, bpp, key);
    const bool stretched = stepX != 0x10000;
    thread_local std::vector<std::uint32_t> xs;
    thread_local std::vector<std::uint8_t> rowBuf;
    if (stretched) {
        xs.resize(static_cast<std::size_t>(dw));
        StretchColumns(xs.data(), dw, stepX);
        rowBuf.resize(static_cast<std::size_t>(dw) * bpp);
    }
    const std::uint8_t* gathered = nullptr;
    std::uint32_t fy = 0;
    for (std::int32_t y = 0; y < dh; ++y, fy += stepY) {
        const std::uint8_t* s = src.Row(static_cast<std::int32_t>(fy >> 16));
        if (stretched) {
            if (gathered != s) GatherStretchedRow(rowBuf.data(), s, xs.data(), dw, bpp, sw);
            gathered = s;
            s = rowBuf.data();
        }
        MergeRow(dst.Row(y), s, dw, bpp, kind, key);
    }
}
