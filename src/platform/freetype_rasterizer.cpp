// FreeType + fontconfig text rasteriser. Glyphs are rendered without
// antialiasing, so text drawn on a fill colour that is later replaced by the
// colour key leaves no fringe. Sizes are points at 96 pixels per inch, as the
// game's fonts are sized for a 96 DPI screen.
#include "platform/freetype_rasterizer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <stdexcept>

namespace {

// Windows-1252 bytes 0x80..0x9F; the rest map to the same code point.
constexpr char32_t kCp1252High[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                      0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

char32_t CodePoint(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b;
}

constexpr FT_Int32 kLoadFlags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO;

}  // namespace

struct TFreeTypeRasterizer::Impl {
    FT_Library library = nullptr;
    std::map<std::pair<std::string, TFontStyles>, FT_Face> faces;

    ~Impl() {
        for (auto& [key, face] : faces) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }

    FT_Face Face(const TFontSpec& font) {
        const auto key =
            std::make_pair(font.name, static_cast<TFontStyles>(font.style & (fsBold | fsItalic)));
        auto it = faces.find(key);
        if (it == faces.end()) {
            int index = 0;
            const std::string file = FindFontFile(font.name, font.style, index);
            FT_Face face = nullptr;
            if (file.empty() || FT_New_Face(library, file.c_str(), index, &face) != 0)
                throw std::runtime_error("Schrift " + font.name + " nicht gefunden");
            it = faces.emplace(key, face).first;
        }
        if (FT_Set_Char_Size(it->second, 0, static_cast<FT_F26Dot6>(font.size) * 64, 96, 96) != 0)
            throw std::runtime_error(
                "Schriftgr\xF6\xDF"
                "e " +
                std::to_string(font.size) + " nicht m\xF6glich");
        return it->second;
    }

    // Synthetic bold when the face found has no bold weight of its own.
    static bool NeedsEmbolden(FT_Face face, const TFontSpec& font) {
        return (font.style & fsBold) && !(face->style_flags & FT_STYLE_FLAG_BOLD);
    }

    // Ascent and descent in pixels, from the Windows metrics where the face has them.
    static std::pair<int, int> VerticalMetrics(FT_Face face) {
        const double scale = face->size->metrics.y_ppem / static_cast<double>(face->units_per_EM);
        if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->usWinAscent)
            return {static_cast<int>(std::lround(os2->usWinAscent * scale)),
                    static_cast<int>(std::lround(os2->usWinDescent * scale))};
        return {static_cast<int>(face->size->metrics.ascender >> 6),
                static_cast<int>(-face->size->metrics.descender >> 6)};
    }

    FT_GlyphSlot Load(FT_Face face, const TFontSpec& font, char c) {
        if (FT_Load_Char(face, CodePoint(c), kLoadFlags) != 0) return nullptr;
        FT_GlyphSlot g = face->glyph;
        if (NeedsEmbolden(face, font) && g->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Outline_Embolden(&g->outline, face->size->metrics.y_ppem * 2);
            g->advance.x += face->size->metrics.y_ppem * 2;
        }
        return g;
    }
};

TFreeTypeRasterizer::TFreeTypeRasterizer() : impl_(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&impl_->library) != 0) throw std::runtime_error("FreeType nicht verf\xFCgbar");
}

TFreeTypeRasterizer::~TFreeTypeRasterizer() = default;

std::string TFreeTypeRasterizer::FindFontFile(const std::string& name, TFontStyles style, int& faceIndex) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, (style & fsBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, (style & fsItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string file;
    if (match) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
            file = reinterpret_cast<char*>(path);
        faceIndex = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

TTextExtent TFreeTypeRasterizer::TextExtent(const TFontSpec& font, std::string_view text) {
    FT_Face face = impl_->Face(font);
    TTextExtent e;
    for (char c : text)
        if (FT_GlyphSlot g = impl_->Load(face, font, c))
            e.cx += static_cast<std::int32_t>((g->advance.x + 32) >> 6);
    const auto [ascent, descent] = Impl::VerticalMetrics(face);
    e.cy = ascent + descent;
    return e;
}

TTextMask TFreeTypeRasterizer::Render(const TFontSpec& font, std::string_view text) {
    const TTextExtent cell = TextExtent(font, text);
    FT_Face face = impl_->Face(font);
    const int ascent = Impl::VerticalMetrics(face).first;
    // The mask is the cell widened by a margin for glyphs that overhang it.
    const int margin = static_cast<int>(face->size->metrics.y_ppem) / 2 + 2;
    TTextMask m{-margin, -margin, cell.cx + 2 * margin, cell.cy + 2 * margin, {}};
    m.bits.assign(static_cast<std::size_t>(m.width) * m.height, 0);
    int pen = 0;
    for (char c : text) {
        FT_GlyphSlot g = impl_->Load(face, font, c);
        if (!g) continue;
        if (FT_Render_Glyph(g, FT_RENDER_MODE_MONO) == 0) {
            const FT_Bitmap& b = g->bitmap;
            for (unsigned row = 0; row < b.rows; ++row)
                for (unsigned col = 0; col < b.width; ++col) {
                    const unsigned char byte = b.buffer[static_cast<long>(row) * b.pitch + col / 8];
                    if (!(byte & (0x80 >> (col % 8)))) continue;
                    const int x = pen + g->bitmap_left + static_cast<int>(col) + margin;
                    const int y = ascent - g->bitmap_top + static_cast<int>(row) + margin;
                    if (x >= 0 && x < m.width && y >= 0 && y < m.height)
                        m.bits[std::size_t(y) * m.width + x] = 1;
                }
        }
        pen += static_cast<int>((g->advance.x + 32) >> 6);
    }
    return m;
}
