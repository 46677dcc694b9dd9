// Printtosurface: a line of text drawn on a copy of the surface, shrunk until
// it fits the allowed area, with an outline that contrasts with its colour.
#include "engine/text_paint.h"

#include <stdexcept>
#include <string>

#include "engine/dd_errors.h"
#include "infra/log.h"

std::string DefaultFontName = "Arial";

namespace {

constexpr std::int32_t kSmallestSize = 5;

struct TPlacement {
    std::int32_t u = 0;  // left of the text
    std::int32_t v = 0;  // top of the text
    bool fits = false;
};

TPlacement Place(TDDCanvas& bmp, std::string_view text, std::int32_t x, std::int32_t y, std::int32_t hAlign,
                 std::int32_t vAlign, std::int32_t border, std::int32_t rightLimit,
                 std::int32_t bottomLimit) {
    const TTextExtent e = bmp.TextExtent(text);
    const std::int32_t t = e.cx + 2 * border, tv = e.cy + 2 * border;
    TPlacement p;
    p.u = hAlign == 1 ? x - t : hAlign == 2 ? x - t / 2 : x;
    p.v = vAlign == 1 ? y - tv / 2 : vAlign == 2 ? y - tv : y;
    p.fits = rightLimit >= t + p.u && bottomLimit >= tv + p.v;
    return p;
}

// Near-black outline for light text; it must differ from the sheets' key 0.
TColor OutlineColour(TColor colour) {
    const std::uint32_t sum = (colour & 0xFF) + (colour >> 8 & 0xFF) + (colour >> 16 & 0xFF);
    return sum < 129 ? 0xFFFFFF : 0x0F0F0F;
}

}  // namespace

void Printtosurface(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t horizontalAlign,
                    std::int32_t verticalAlign, TColor colour, std::int32_t border, std::string_view fontName,
                    std::int32_t size, TFontStyles style, TSurfaceRef& surface) {
    Printtosurface(x, y, 0, 0, 0, 0, text, horizontalAlign, verticalAlign, colour, border, fontName, size,
                   style, surface);
}

void Printtosurface(std::int32_t x, std::int32_t y, std::int32_t widthReserve1, std::int32_t widthReserve2,
                    std::int32_t heightReserve1, std::int32_t heightReserve2, std::string_view text,
                    std::int32_t horizontalAlign, std::int32_t verticalAlign, TColor colour,
                    std::int32_t border, std::string_view fontName, std::int32_t size, TFontStyles style,
                    TSurfaceRef& surface) {
    std::int32_t rightLimit = 0, bottomLimit = 0, bmpWidth = 0, bmpHeight = 0;
    try {
        TDDCanvas canvas(surface);
        const TRect clip = canvas.ClipRect();
        rightLimit = clip.right - widthReserve1 - widthReserve2 + 1;
        bottomLimit = clip.bottom - heightReserve1 - heightReserve2 + 1;
        // The work bitmap is one pixel wider and higher than the surface, as
        // its size comes from the clip rectangle's right and bottom edges.
        bmpWidth = clip.right + 1;
        bmpHeight = clip.bottom + 1;
        TDDCanvas bmp(
            std::make_shared<TSurface>(bmpWidth, bmpHeight, surface->PixelFormat(), DDSCAPS_SYSTEMMEMORY));
        bmp.CopyRect(clip, canvas, clip);
        bmp.Font.name = std::string(fontName);
        bmp.Font.style = style;
        bmp.Brush.style = TBrushStyle::bsClear;
        TPlacement p;
        for (std::int32_t s = size;; --s) {
            bmp.Font.size = s;
            p = Place(bmp, text, x, y, horizontalAlign, verticalAlign, border, rightLimit, bottomLimit);
            if (p.fits || s <= kSmallestSize) break;
        }
        if (border > 0) {
            bmp.Font.color = OutlineColour(colour);
            for (std::int32_t dx = -border; dx <= border; ++dx)
                for (std::int32_t dy = -border; dy <= border; ++dy)
                    if (dx != 0 || dy != 0) bmp.TextOut(p.u + dx, p.v + dy, text);
        }
        bmp.Font.color = colour;
        bmp.TextOut(p.u, p.v, text);
        const TRect all = Bounds(0, 0, bmpWidth, bmpHeight);
        canvas.CopyRect(all, bmp, all);
        canvas.ReleaseHandle();
    } catch (const std::exception& e) {
        WriteLog(std::string("Error in Printtosurface: ") + e.what() + " (" + std::string(text) + "," +
                 std::to_string(rightLimit) + "," + std::to_string(bottomLimit) + "," +
                 std::to_string(bmpHeight) + "," + std::to_string(bmpWidth) + ")");
        throw;
    }
}
