// Text painting into surfaces: a line of text with outline, shrunk until it fits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/dd_canvas.h"
#include "engine/font_rasterizer.h"
#include "engine/surface.h"

// The font the displays pass; "Arial" at start.
extern std::string DefaultFontName;

// Alignment: horizontal 0 = x is the left edge, 1 = the right edge, 2 = the
// centre; vertical 0 = y is the top, 1 = the centre, 2 = the bottom. colour is
// 0x00BBGGRR. Logs "Error in Printtosurface: ..." and re-raises on failure.
void Printtosurface(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t horizontalAlign,
                    std::int32_t verticalAlign, TColor colour, std::int32_t border, std::string_view fontName,
                    std::int32_t size, TFontStyles style, TSurfaceRef& surface);
// The full form: the reserves shrink the area the text must fit in.
void Printtosurface(std::int32_t x, std::int32_t y, std::int32_t widthReserve1, std::int32_t widthReserve2,
                    std::int32_t heightReserve1, std::int32_t heightReserve2, std::string_view text,
                    std::int32_t horizontalAlign, std::int32_t verticalAlign, TColor colour,
                    std::int32_t border, std::string_view fontName, std::int32_t size, TFontStyles style,
                    TSurfaceRef& surface);
