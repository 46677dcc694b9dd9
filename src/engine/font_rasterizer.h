// The text rasteriser the canvas draws with: measures and renders a line of
// Windows-1252 text for a face name, point size and style. The platform layer
// provides the real one; tests use a fake with fixed metrics. The DirectDraw
// object carries the one its surfaces' canvases draw with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Font style flags as the toolkit's font defines them.
using TFontStyles = std::uint8_t;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

struct TFontSpec {
    std::string name = "Arial";
    std::int32_t size = 8;  // points, at 96 pixels per inch
    TFontStyles style = 0;
    bool operator==(const TFontSpec&) const = default;
};

// The text cell: width is the sum of the advances, height ascent plus descent.
struct TTextExtent {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

// Monochrome ink of a rendered line: bits[row * width + column] is 1 where
// the text is drawn. (left, top) is the position of the mask's first pixel
// relative to the cell's top-left corner; ink may reach outside the cell.
struct TTextMask {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> bits;
};

class IFontRasterizer {
public:
    virtual ~IFontRasterizer() = default;
    virtual TTextExtent TextExtent(const TFontSpec& font, std::string_view text) = 0;
    virtual TTextMask Render(const TFontSpec& font, std::string_view text) = 0;
};
