// Internal pixel helpers shared by the surface and the drawing loops: reading
// and writing 1-4 byte pixels, filling rows, and the stretching copy.
#pragma once

#include <cstdint>
#include <cstring>

#include "engine/dd_types.h"

// A rectangle of pixels inside a block of rows.
struct TPixelRect {
    std::uint8_t* base = nullptr;  // first pixel of the block (row 0, column 0)
    std::int32_t pitch = 0;
    TRect rect{};
    std::uint32_t bytesPerPixel = 0;
    std::uint8_t* Row(std::int32_t y) const {
        return base + static_cast<std::ptrdiff_t>(rect.top + y) * pitch +
               std::ptrdiff_t{rect.left} * bytesPerPixel;
    }
};

inline std::uint32_t ReadPixel(const std::uint8_t* p, std::uint32_t bpp) {
    switch (bpp) {
        case 1:
            return p[0];
        case 2: {
            std::uint16_t v;
            std::memcpy(&v, p, 2);
            return v;
        }
        case 3:
            return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16;
        default: {
            std::uint32_t v;
            std::memcpy(&v, p, 4);
            return v;
        }
    }
}

inline void WritePixel(std::uint8_t* p, std::uint32_t bpp, std::uint32_t v) {
    switch (bpp) {
        case 1:
            p[0] = static_cast<std::uint8_t>(v);
            break;
        case 2: {
            const auto w = static_cast<std::uint16_t>(v);
            std::memcpy(p, &w, 2);
            break;
        }
        case 3:
            p[0] = static_cast<std::uint8_t>(v);
            p[1] = static_cast<std::uint8_t>(v >> 8);
            p[2] = static_cast<std::uint8_t>(v >> 16);
            break;
        default:
            std::memcpy(p, &v, 4);
            break;
    }
}

// Writes count pixels of the value from p on.
void FillPixels(std::uint8_t* p, std::uint32_t count, std::uint32_t bpp, std::uint32_t value);

// Copies src onto dst (rect sizes may differ: nearest neighbour, 16.16
// stepping from the first row and column). With keyed, source pixels whose
// value lies in the key's range are skipped.
void StretchCopy(const TPixelRect& dst, const TPixelRect& src, std::uint32_t bpp, bool keyed,
                 const TDDColorKey& key);
