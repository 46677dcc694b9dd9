// The text rasteriser of the game: FreeType glyphs of the face fontconfig finds
// for a name ("Arial" becomes a metric-compatible face), monochrome, 96 DPI.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "engine/font_rasterizer.h"

class TFreeTypeRasterizer : public IFontRasterizer {
public:
    TFreeTypeRasterizer();
    ~TFreeTypeRasterizer() override;
    TFreeTypeRasterizer(const TFreeTypeRasterizer&) = delete;
    TFreeTypeRasterizer& operator=(const TFreeTypeRasterizer&) = delete;

    TTextExtent TextExtent(const TFontSpec& font, std::string_view text) override;
    TTextMask Render(const TFontSpec& font, std::string_view text) override;

    // The font file fontconfig picks for a face name and style.
    static std::string FindFontFile(const std::string& name, TFontStyles style, int& faceIndex);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
