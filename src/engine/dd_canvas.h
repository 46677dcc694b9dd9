// A canvas bound to one surface for text and rectangle output: it holds the
// surface's drawing context from the first drawing call until ReleaseHandle.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/font_rasterizer.h"
#include "engine/surface.h"

// Colours of the canvas are GDI values 0x00BBGGRR.
using TColor = std::uint32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

enum class TBrushStyle { bsSolid, bsClear };
enum class TCopyMode { cmSrcCopy };

struct TCanvasFont : TFontSpec {
    TColor color = clBlack;
};

struct TBrush {
    TColor color = clWhite;
    TBrushStyle style = TBrushStyle::bsSolid;
};

class TDDCanvas {
public:
    // Raises "Cannot create canvas for NIL surface" for an empty reference.
    explicit TDDCanvas(TSurfaceRef surface);
    ~TDDCanvas();
    TDDCanvas(const TDDCanvas&) = delete;
    TDDCanvas& operator=(const TDDCanvas&) = delete;

    TCanvasFont Font;
    TBrush Brush;
    TCopyMode CopyMode = TCopyMode::cmSrcCopy;

    // Gets the surface's drawing context when none is held (DDCheckSurface).
    void CreateHandle();
    // Hands a held drawing context back to the surface.
    void ReleaseHandle();
    bool HandleAllocated() const { return dcHeld_; }

    // (0, 0, surface width, surface height).
    TRect ClipRect() const;
    const TSurfaceRef& Surface() const { return surface_; }

    void FillRect(const TRect& rect);
    // Writes the text with its cell's top-left at (x, y); the background is
    // filled with the brush unless the brush is clear.
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text);
    std::int32_t TextWidth(std::string_view text);
    std::int32_t TextHeight(std::string_view text);
    TTextExtent TextExtent(std::string_view text);
    // Copies sourceRect of another canvas onto dest (same size; clipped to
    // both surfaces; formats are converted when they differ).
    void CopyRect(const TRect& dest, TDDCanvas& source, const TRect& sourceRect);

private:
    std::uint32_t PixelOf(TColor colour) const;

    TSurfaceRef surface_;
    TSurfaceDesc dc_{};
    bool dcHeld_ = false;
};
