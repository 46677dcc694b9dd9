// A font rasteriser with fixed metrics for tests: every character is a solid
// block of size/2 x size pixels.
#pragma once

#include "engine/font_rasterizer.h"

class FixedFontRasterizer : public IFontRasterizer {
public:
    TTextExtent TextExtent(const TFontSpec& font, std::string_view text) override {
        return {static_cast<std::int32_t>(text.size()) * (font.size / 2), font.size};
    }
    TTextMask Render(const TFontSpec& font, std::string_view text) override {
        TTextMask m;
        m.width = static_cast<std::int32_t>(text.size()) * (font.size / 2);
        m.height = font.size;
        m.bits.assign(static_cast<std::size_t>(m.width * m.height), 1);
        return m;
    }
};
