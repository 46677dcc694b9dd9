// A text rasteriser for a game that nobody watches (a replay verified on a
// server): every character is a cell of size/2 x size points and no ink is
// drawn. The game never depends on its text's pixels, so any metrics serve.
#pragma once

#include "engine/font_rasterizer.h"

class TBlockFontRasterizer : public IFontRasterizer {
public:
    TTextExtent TextExtent(const TFontSpec& font, std::string_view text) override {
        return {static_cast<std::int32_t>(text.size()) * (font.size / 2), font.size};
    }
    TTextMask Render(const TFontSpec&, std::string_view) override { return {}; }
};
